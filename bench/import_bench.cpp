// Importing a one-hour recording with 600 cues, against the ffmpeg command
// decoding and encoding the same file to MP3 once (the floor for any import
// that must decode the whole file and encode most of it).
//
//   import_bench [--runs N]     best of N runs each (default 2)
#include "bench_files.h"
#include "import_media.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int kCues = 600;

struct Timing {
    double wall = 1e9;
    double cpu = 1e9;
};

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

template <typename Work> Timing measure(int who, Work&& work) {
    const double cpu0 = cpuSeconds(who);
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    return {wall.count(), cpuSeconds(who) - cpu0};
}

void keepBest(Timing& best, const Timing& run) {
    best.wall = std::min(best.wall, run.wall);
    best.cpu = std::min(best.cpu, run.cpu);
}

QString srtTime(double seconds) {
    const auto ms = static_cast<long long>(seconds * 1000 + 0.5);
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// 600 cues of 4 to 5 s, one every 6 s, as a film's dialogue would come.
bool writeSubtitles(const QString& path) {
    QString srt;
    for (int i = 0; i < kCues; ++i) {
        const double start = i * 6.0 + 0.5;
        const double length = 4.0 + (i % 3) * 0.5;
        srt += QStringLiteral("%1\n%2 --> %3\nSentence number %1, <i>as spoken</i>.\n\n")
                   .arg(i + 1)
                   .arg(srtTime(start), srtTime(start + length));
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(srt.toUtf8()) > 0;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 2;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));

    const std::string media = bench::oneHourMp3();
    QTemporaryDir work(QDir(QString::fromStdString(bench::cacheDir())).filePath("import-XXXXXX"));
    const QString subtitles = work.filePath(QStringLiteral("hour.srt"));
    if (!work.isValid() || !writeSubtitles(subtitles)) {
        std::fprintf(stderr, "cannot write the subtitles\n");
        return 1;
    }
    const std::string ffmpegOut = work.filePath(QStringLiteral("whole.mp3")).toStdString();
    const std::string ffmpeg = "ffmpeg -nostdin -hide_banner -loglevel error -y -i '" + media +
                               "' -c:a libmp3lame '" + ffmpegOut + "'";

    Timing import;
    Timing floor;
    int lessons = 0;
    for (int run = 0; run < runs; ++run) {
        const QString folder = work.filePath(QStringLiteral("lessons%1").arg(run));
        keepBest(import, measure(RUSAGE_SELF, [&] {
                     hearvex::lessons::ImportRequest request;
                     request.media = QByteArray::fromStdString(media);
                     request.subtitles = QFile::encodeName(subtitles);
                     request.folder = QFile::encodeName(folder);
                     request.name = "hour";
                     const hearvex::lessons::ImportResult result =
                         hearvex::lessons::importMedia(request);
                     lessons = static_cast<int>(result.lessons.size());
                     if (result.outcome != hearvex::lessons::ImportOutcome::Done)
                         std::fprintf(stderr, "import failed: %s\n", qPrintable(result.message));
                 }));
        QDir(folder).removeRecursively();
        keepBest(floor, measure(RUSAGE_CHILDREN, [&] {
                     if (std::system(ffmpeg.c_str()) != 0)
                         std::fprintf(stderr, "ffmpeg failed\n");
                 }));
    }
    std::printf("one-hour 128 kbit/s stereo MP3, %d cues of 4-5 s, best of %d:\n", kCues, runs);
    std::printf("  import      %6.2f s wall  %6.2f s CPU  (%d lessons)\n", import.wall, import.cpu,
                lessons);
    std::printf("  ffmpeg      %6.2f s wall  %6.2f s CPU  (decode + libmp3lame, whole file)\n",
                floor.wall, floor.cpu);
    std::printf("  ratio import/ffmpeg: %.2f wall, %.2f CPU (target <= 1.5)\n",
                import.wall / floor.wall, import.cpu / floor.cpu);
    return lessons == kCues ? 0 : 1;
}
