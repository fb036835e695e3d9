#include "shadow_analyser.h"

#include "speech_audio.h"

namespace hearvex::shadow {

namespace {

// Each recheck is one more pass of the model over the take; a take with more
// words skipped than this is judged on the first pass.
constexpr size_t kMostRechecks = 4;

AlignedTake alignedTake(const lessons::SentenceWords& heard) {
    return {heard.words, heard.confidence, heard.matched};
}

} // namespace

ShadowAnalyser::ShadowAnalyser() = default;

lessons::WordTimes ShadowAnalyser::modelWords(const QByteArray& recording,
                                              std::span<const float> samples,
                                              const QString& sentence) {
    const lessons::WordTimesFile sidecar =
        lessons::readWordTimes(lessons::wordTimesFileName(recording));
    if (sidecar.status == lessons::WordTimesStatus::Read && !sidecar.words.empty())
        return sidecar.words;
    lessons::WordAlignOptions options;
    options.allowSurroundingSpeech = true; // a lesson may read its sentence more than once
    const lessons::SentenceWords aligned =
        m_aligner.alignWords(toPcm16(samples), sentence, options);
    return aligned.matched ? aligned.words : lessons::WordTimes{};
}

AlignedTake ShadowAnalyser::align(std::span<const qint16> pcm, const QString& sentence,
                                  bool wordsOptional) {
    lessons::WordAlignOptions options;
    options.wordsOptional = wordsOptional;
    return alignedTake(m_aligner.alignWords(pcm, sentence, options));
}

// The words the first pass skipped, each forced through the take with the
// words it found: said when it then comes out clearly.
void ShadowAnalyser::recheckSkipped(std::span<const qint16> pcm, AlignedTake* take) {
    const std::vector<size_t> skipped = skippedWords(*take);
    if (skipped.size() > kMostRechecks)
        return;
    const AlignedTake found = *take;
    for (const size_t word : skipped) {
        size_t at = 0;
        const AlignedTake again = align(pcm, withWordAdded(found, word, &at), false);
        if (at < again.words.size() && rescues(again.words[at])) {
            take->words[word] = again.words[at];
            take->words[word].text = found.words[word].text;
        }
    }
}

AlignedTake ShadowAnalyser::hear(std::span<const float> take, const QString& sentence) {
    const std::vector<qint16> pcm = toPcm16(take);
    AlignedTake heard = align(pcm, sentence, true);
    if (!heard.matched || !everyWordFound(heard)) {
        const AlignedTake forced = align(pcm, sentence, false);
        heard = judgePasses(std::move(heard), &forced);
        // Only a take heard as the sentence: forced into another sentence's
        // speech, a lone word is found as often as not.
        if (!everyWordFound(forced) && heard.matched)
            recheckSkipped(pcm, &heard);
    }
    return heard;
}

TakeAnalysis ShadowAnalyser::analyse(std::span<const float> take, const QString& sentence,
                                     const lessons::WordTimes& model) {
    return analyseTake(hear(take, sentence), model);
}

} // namespace hearvex::shadow
