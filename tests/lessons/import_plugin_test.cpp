// The program reaches the import through its plug-in: FFmpeg is not mapped
// until the first import, and then the plug-in's own import answers.
#include "import_plugin.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

bool mapped(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

} // namespace

TEST(ImportPlugin, FfmpegIsLoadedByTheFirstImportOnly) {
    EXPECT_FALSE(mapped("libavcodec")) << "the program links FFmpeg again";
    EXPECT_FALSE(mapped("libhearvex-import"));

    ImportRequest request;
    request.media = "/nonexistent/talk.mp4";
    const ImportResult result = importDroppedOnDemand(request, {});
    EXPECT_EQ(result.outcome, ImportOutcome::Failed);
    // The import's own refusal, not a failure to load it.
    EXPECT_EQ(result.message, QStringLiteral("no lesson folder given"));
    EXPECT_TRUE(mapped("libhearvex-import"));
    EXPECT_TRUE(mapped("libavcodec"));
}
