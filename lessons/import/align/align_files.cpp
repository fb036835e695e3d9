#include "align_files.h"

#include "align_text.h"
#include "safe_output.h"
#include "transcript_sentences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace hearvex::lessons {

namespace {

// As the alignment reads it: a larger file is no transcript.
constexpr qint64 kLargestTranscriptBytes = 16 * 1024 * 1024 + 1;

} // namespace

QString transcriptProblem(const QByteArray& path) {
    const QString name = QFile::decodeName(path);
    if (QFileInfo(name).isDir())
        return AlignText::tr("%1 is a folder, not a transcript").arg(name);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    switch (transcriptKind(file.read(kLargestTranscriptBytes))) {
    case TranscriptKind::Transcript:
        return {};
    case TranscriptKind::Empty:
        return AlignText::tr("%1 is empty: there is no transcript to align").arg(name);
    case TranscriptKind::NotText:
        return AlignText::tr("%1 is not a text file (it holds NUL bytes): give the recording "
                             "first, then its transcript")
            .arg(name);
    case TranscriptKind::Subtitles:
        return AlignText::tr("%1 is not a plain-text transcript (subtitles already have "
                             "timings: import them as they are)")
            .arg(name);
    case TranscriptKind::EmptyWebPage:
        return AlignText::tr("%1 is a web page (HTML) without any text to align: save the "
                             "page's text as a plain-text file")
            .arg(name);
    }
    return {};
}

QString outputProblem(const QByteArray& out, const QByteArray& media,
                      const QByteArray& transcript) {
    const QString name = QFile::decodeName(out);
    const QFileInfo info(name);
    if (info.isDir())
        return AlignText::tr("%1 is a folder; name the file to write").arg(name);
    if (!info.absoluteDir().exists())
        return AlignText::tr("cannot write %1: the folder %2 does not exist")
            .arg(name, QDir::toNativeSeparators(info.absolutePath()));
    const QByteArray input = inputOverwrittenBy(out, {media, transcript});
    if (input.isEmpty())
        return {};
    const QString what =
        input == media ? AlignText::tr("the recording") : AlignText::tr("the transcript");
    if (input == out)
        return AlignText::tr("%1 is %2 itself: writing there would overwrite it; name another "
                             "output")
            .arg(name, what);
    return AlignText::tr("%1 is another name of %2 %3: writing there would overwrite it; name "
                         "another output")
        .arg(name, what, QFile::decodeName(input));
}

} // namespace hearvex::lessons
