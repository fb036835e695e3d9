#include "transcript_alignment.h"

#include "acoustic_alignment.h"
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

QString outcomeMessage(const AcousticAlignment& aligned, const QByteArray& media,
                       const QByteArray& transcript, const QStringList& sentences) {
    switch (aligned.outcome) {
    case AlignmentOutcome::Done:
        return {};
    case AlignmentOutcome::Cancelled:
        return QStringLiteral("cancelled");
    case AlignmentOutcome::Unreadable:
        return AlignText::tr("cannot align %1: %2").arg(shownName(media), aligned.message);
    case AlignmentOutcome::Mismatch:
        break;
    }
    if (aligned.verdict == TranscriptVerdict::OutOfOrder) {
        const auto [before, after] = aligned.misordered;
        return AlignText::tr("the sentences of %1 are not in the order %2 speaks them: %3 is "
                             "heard before %4; nothing written")
            .arg(shownName(transcript), shownName(media),
                 sentenceName(after + 1, sentences.at(after)),
                 sentenceName(before + 1, sentences.at(before)));
    }
    const int heard = aligned.sentenceCount - int(aligned.leftOut.size());
    return AlignText::tr("%1 does not match the speech in %2: is it the transcript of another "
                         "recording? (%3 of %4 sentences heard; nothing written)")
        .arg(shownName(transcript), shownName(media))
        .arg(heard)
        .arg(aligned.sentenceCount);
}

} // namespace

QString sentenceName(int number, const QString& text) {
    constexpr int kFirstWords = 5;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString start = words.mid(0, kFirstWords).join(QLatin1Char(' '));
    return AlignText::tr("sentence %1 (\"%2%3\")")
        .arg(number)
        .arg(start, words.size() > kFirstWords ? QStringLiteral("...") : QString());
}

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
    const AcousticAlignment aligned =
        alignAcoustically(media, split.sentences, [&](double fraction) {
            return !progress || progress(AlignmentStage::Alignment, fraction);
        });
    TranscriptAlignment result;
    result.outcome = aligned.outcome;
    result.sentences = aligned.sentences;
    result.warnings = split.warnings;
    result.message = outcomeMessage(aligned, media, transcript, split.sentences);
    for (const int k : aligned.leftOut)
        result.leftOut << AlignText::tr("%1 is not heard in the recording; left out")
                              .arg(sentenceName(k + 1, split.sentences.at(k)));
    for (const AlignedSentence& sentence : aligned.sentences)
        if (sentence.uncertain)
            result.uncertain << sentenceName(sentence.number, sentence.text);
    if (result.outcome != AlignmentOutcome::Done)
        result.leftOut.clear();
    return result;
}

} // namespace hearvex::lessons
