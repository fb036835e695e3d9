#include "acoustic_alignment.h"

#include "sentence_edges.h"
#include "speech_pcm.h"

#include <algorithm>

namespace hearvex::lessons {

namespace {

// Shares of the progress bar: the warp, reading the sound, the words.
constexpr double kWarpShare = 0.3, kReadShare = 0.1;

AcousticAlignment failed(AlignmentOutcome outcome, const QString& message) {
    AcousticAlignment result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

// Cancelled (no message) or failed.
AcousticAlignment stopped(const QString& error) {
    return error.isEmpty() ? failed(AlignmentOutcome::Cancelled, QStringLiteral("cancelled"))
                           : failed(AlignmentOutcome::Unreadable, error);
}

std::vector<SearchWindow> windowsAround(const std::vector<AlignedSentence>& guesses,
                                        qint64 durationMs, qint64 marginMs) {
    std::vector<SearchWindow> windows;
    for (const AlignedSentence& guess : guesses)
        windows.push_back({std::max<qint64>(0, guess.startMs - marginMs),
                           std::min(durationMs, guess.endMs + marginMs)});
    return windows;
}

// Windows of about a sentence's length (a reader's pace and the margins)
// overlapping by half, tiling a stretch: a sentence is looked for in each, as
// one long window would let the free phone loop take the sentence's speech.
std::vector<SearchWindow> tiles(const SearchWindow& stretch, const QString& sentence) {
    constexpr qint64 kMsPerWord = 450;
    const qint64 wordsMs =
        qint64(sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts).size()) * kMsPerWord;
    const qint64 length = std::clamp<qint64>(wordsMs + 2 * kSearchMarginMs, 4000, 40000);
    std::vector<SearchWindow> out;
    for (qint64 at = stretch.firstMs;; at += length / 2) {
        out.push_back({at, std::min(stretch.endMs, at + length)});
        if (at + length >= stretch.endMs)
            break;
    }
    return out;
}

// The sentences left out looked for again further from the warp's guess (a
// few at most: the guess is right for nearly all); one found there takes its
// place in found, where the best tile found it. False when cancelled or failed.
bool searchAgainWider(std::span<const qint16> pcm, const QStringList& sentences,
                      const std::vector<AlignedSentence>& guesses, const SpeechModelPaths& model,
                      const std::vector<int>& leftOut, std::vector<FoundSentence>& found,
                      const MatchProgress& stillWanted, QString* error) {
    const qint64 durationMs = qint64(pcm.size()) * 1000 / kSpeechRate;
    const std::vector<SearchWindow> wide = windowsAround(guesses, durationMs, kWideSearchMarginMs);
    QStringList again;
    std::vector<SearchWindow> windows;
    std::vector<int> sentenceOf;
    for (size_t i = 0; i < leftOut.size() && i < kMostWideSearches; ++i) {
        const int k = leftOut[i];
        for (const SearchWindow& tile : tiles(wide[size_t(k)], sentences.at(k))) {
            again << sentences.at(k);
            windows.push_back(tile);
            sentenceOf.push_back(k);
        }
    }
    const std::vector<FoundSentence> refound =
        findSentences(pcm, again, windows, model, stillWanted, error);
    if (refound.size() != windows.size())
        return false;
    for (size_t i = 0; i < refound.size(); ++i) {
        FoundSentence& best = found[size_t(sentenceOf[i])];
        if (refound[i].words.matched && refound[i].words.confidence > best.words.confidence)
            best = refound[i];
    }
    return true;
}

bool sameWords(const QString& a, const QString& b) {
    return a.simplified().compare(b.simplified(), Qt::CaseInsensitive) == 0;
}

// A sentence said twice in a row ("Four queen of clubs." "Four queen of
// clubs.") may be found on either saying, or both on the same one: found the
// other way round they are swapped; found on one, the second is looked for
// again after the first. False when cancelled or failed.
bool separateRepeats(std::span<const qint16> pcm, const QStringList& sentences,
                     const SpeechModelPaths& model, std::vector<FoundSentence>& found,
                     QString* error) {
    const qint64 durationMs = qint64(pcm.size()) * 1000 / kSpeechRate;
    for (size_t k = 1; k < found.size(); ++k) {
        if (!found[k - 1].words.matched || !found[k].words.matched ||
            !sameWords(found[k - 1].text, found[k].text))
            continue;
        if (found[k].words.endMs <= found[k - 1].words.startMs + kOrderToleranceMs)
            std::swap(found[k - 1].words, found[k].words);
        const SentenceWords& before = found[k - 1].words;
        if (found[k].words.startMs >= before.endMs - kOrderToleranceMs)
            continue;
        const qint64 length = before.endMs - before.startMs + 2 * kSearchMarginMs;
        const SearchWindow after{before.endMs, std::min(durationMs, before.endMs + length)};
        const std::vector<FoundSentence> refound =
            findSentences(pcm, {sentences.at(qsizetype(k))}, {after}, model, {}, error);
        if (refound.size() != 1)
            return false;
        found[k] = refound.front();
    }
    return true;
}

std::vector<AlignedSentence> saidSentences(const std::vector<FoundSentence>& found,
                                           qint64 durationMs) {
    std::vector<SpeechSpan> spans;
    std::vector<int> said;
    for (int k = 0; k < int(found.size()); ++k)
        if (found[size_t(k)].words.matched) {
            spans.push_back({found[size_t(k)].words.startMs, found[size_t(k)].words.endMs});
            said.push_back(k);
        }
    const std::vector<CueSpan> cues = cueSpans(spans, durationMs);
    std::vector<AlignedSentence> out;
    for (size_t i = 0; i < said.size(); ++i) {
        const FoundSentence& sentence = found[size_t(said[i])];
        AlignedSentence aligned;
        aligned.startMs = cues[i].startMs;
        aligned.endMs = cues[i].endMs;
        aligned.text = sentence.text;
        aligned.number = said[i] + 1;
        aligned.words = sentence.words.words;
        aligned.confidence = sentence.words.confidence;
        aligned.uncertain = sentence.words.confidence < kCertainConfidence;
        out.push_back(aligned);
    }
    return out;
}

} // namespace

AcousticAlignment alignAcoustically(const QByteArray& mediaPath, const QStringList& sentences,
                                    const AlignmentProgress& progress,
                                    const SpeechModelPaths& model) {
    const auto report = [&](double from, double share, double fraction) {
        return !progress || progress(from + share * fraction);
    };
    const Alignment guess = alignTranscript(
        mediaPath, sentences, [&](double f) { return report(0, kWarpShare, f); },
        AlignmentCheck::SpansOnly);
    if (guess.outcome == AlignmentOutcome::Mismatch) { // no sound at all: nothing is heard
        AcousticAlignment none = failed(guess.outcome, guess.message);
        none.sentenceCount = int(sentences.size());
        for (int k = 0; k < none.sentenceCount; ++k)
            none.leftOut.push_back(k);
        return none;
    }
    if (guess.outcome != AlignmentOutcome::Done)
        return failed(guess.outcome, guess.message);
    std::vector<qint16> pcm;
    QString error;
    if (!readSpeechPcm(mediaPath, &pcm, &error,
                       [&](double f) { return report(kWarpShare, kReadShare, f); }))
        return stopped(error);
    const qint64 durationMs = qint64(pcm.size()) * 1000 / kSpeechRate;
    const double wordsFrom = kWarpShare + kReadShare;
    std::vector<FoundSentence> found = findSentences(
        pcm, sentences, windowsAround(guess.sentences, durationMs, kSearchMarginMs), model,
        [&](double f) { return report(wordsFrom, 1 - wordsFrom, f); }, &error);
    if (found.empty())
        return stopped(error);
    if (!separateRepeats(pcm, sentences, model, found, &error))
        return stopped(error);
    SentenceJudgement judgement = judgeSentences(found);
    // Only a few left out: cheap to look wider, and worth it to tell moved from unread.
    if (judgement.verdict == TranscriptVerdict::PartlySaid) {
        // The bar stays full meanwhile; cancelling still works.
        const MatchProgress stillWanted = [&](double) { return report(1, 0, 0); };
        if (!searchAgainWider(pcm, sentences, guess.sentences, model, judgement.leftOut, found,
                              stillWanted, &error))
            return stopped(error);
        if (!separateRepeats(pcm, sentences, model, found, &error))
            return stopped(error);
        judgement = judgeSentences(found);
    }
    AcousticAlignment result;
    result.sentenceCount = int(sentences.size());
    result.verdict = judgement.verdict;
    result.leftOut = judgement.leftOut;
    result.misordered = judgement.misordered;
    const bool refused = judgement.verdict == TranscriptVerdict::NotThisRecording ||
                         judgement.verdict == TranscriptVerdict::OutOfOrder;
    result.outcome = refused ? AlignmentOutcome::Mismatch : AlignmentOutcome::Done;
    if (!refused)
        result.sentences = saidSentences(found, durationMs);
    if (progress)
        progress(1.0);
    return result;
}

} // namespace hearvex::lessons
