#include "transcript_alignment.h"

#include "align_text.h"
#include "transcript_sentences.h"

#include <QFile>
#include <QFileInfo>

namespace hearvex::lessons {

namespace {

constexpr qint64 kLargestTranscript = 16 * 1024 * 1024;

QString shownName(const QByteArray& path) {
    return QFileInfo(QFile::decodeName(path)).fileName();
}

bool readTranscript(const QByteArray& path, QByteArray* bytes, QString* error) {
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = AlignText::tr("cannot read %1: %2").arg(shownName(path), file.errorString());
        return false;
    }
    if (file.size() > kLargestTranscript) {
        *error = AlignText::tr("%1 is too large for a transcript").arg(shownName(path));
        return false;
    }
    *bytes = file.readAll();
    return true;
}

TranscriptAlignment failure(AlignmentOutcome outcome, const QString& message) {
    TranscriptAlignment result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

// A NUL byte is never in a text, but always in a recording's first kilobytes.
bool isText(const QByteArray& head) {
    return !head.contains('\0') || head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF");
}

} // namespace

bool isPlainTranscript(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(64 * 1024);
    return isText(head) && !looksLikeSubtitles(head) && !head.trimmed().isEmpty();
}

TranscriptAlignment alignTranscriptFile(const QByteArray& media, const QByteArray& transcript,
                                        const StagedProgress& progress) {
    if (progress && !progress(AlignmentStage::Sentences, 0))
        return failure(AlignmentOutcome::Cancelled, QStringLiteral("cancelled"));
    QByteArray bytes;
    QString error;
    if (!readTranscript(transcript, &bytes, &error))
        return failure(AlignmentOutcome::Unreadable, error);
    const TranscriptSentences split = splitTranscriptBytes(bytes);
    if (split.sentences.isEmpty())
        return failure(AlignmentOutcome::Mismatch,
                       AlignText::tr("%1 holds no sentences to align").arg(shownName(transcript)));
    if (progress && !progress(AlignmentStage::Sentences, 1))
        return failure(AlignmentOutcome::Cancelled, QStringLiteral("cancelled"));
    const Alignment aligned = alignTranscript(media, split.sentences, [&](double fraction) {
        return !progress || progress(AlignmentStage::Alignment, fraction);
    });
    TranscriptAlignment result;
    result.outcome = aligned.outcome;
    result.sentences = aligned.sentences;
    result.warnings = split.warnings;
    switch (aligned.outcome) {
    case AlignmentOutcome::Done:
        break;
    case AlignmentOutcome::Mismatch:
        result.message = AlignText::tr("%1 does not match the speech in %2: is it the transcript "
                                       "of another recording?")
                             .arg(shownName(transcript), shownName(media));
        break;
    case AlignmentOutcome::Unreadable:
        result.message =
            AlignText::tr("cannot align %1: %2").arg(shownName(media), aligned.message);
        break;
    case AlignmentOutcome::Cancelled:
        result.message = QStringLiteral("cancelled");
        break;
    }
    return result;
}

} // namespace hearvex::lessons
