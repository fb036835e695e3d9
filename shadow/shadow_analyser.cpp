#include "shadow_analyser.h"

#include "speech_audio.h"

#include <algorithm>
#include <cmath>

namespace hearvex::shadow {

namespace {

// Each recheck is one more pass of the model over the take; a take with more
// words skipped than this is judged on the first pass.
constexpr size_t kMostRechecks = 4;

// The take's speech level: the power of its loudest 10 ms frames (one in
// twenty louder), as a share of full scale.
double speechPower(std::span<const float> take) {
    constexpr size_t kFrame = 160;
    std::vector<double> powers;
    for (size_t at = 0; at + kFrame <= take.size(); at += kFrame) {
        double sum = 0;
        for (size_t i = at; i < at + kFrame; ++i)
            sum += double(take[i]) * double(take[i]);
        powers.push_back(sum / kFrame);
    }
    if (powers.empty())
        return 0;
    const auto loud = powers.begin() + std::ptrdiff_t(powers.size() * 95 / 100);
    std::nth_element(powers.begin(), loud, powers.end());
    return *loud;
}

} // namespace

std::vector<qint16> heardSamples(std::span<const float> take) {
    // 46 dB under the speech: well under any room's noise, so a take from a
    // microphone hardly changes (tried from 40 to 52 on synthetic voices: the
    // same words said).
    constexpr double kFloorBelowSpeechDb = 46.0;
    const double power = speechPower(take) * std::pow(10.0, -kFloorBelowSpeechDb / 10.0);
    const double amplitude = std::sqrt(3.0 * power); // uniform noise of that power
    std::vector<float> floored(take.begin(), take.end());
    quint32 noise = 12345; // the same take is heard the same each time
    for (float& sample : floored) {
        noise = noise * 1664525u + 1013904223u;
        sample += float(amplitude * (double(noise >> 8) / double(1 << 23) - 1.0));
    }
    return toPcm16(floored);
}

namespace {

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
    options.speechBetweenWordsCounts = true;
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
        const QString sentence = withWordAdded(found, word, &at);
        const AlignedTake again = againInPlace(found, word, align(pcm, sentence, false));
        if (rescuedBy(found, again, word))
            take->words[word] = again.words[word];
    }
}

AlignedTake ShadowAnalyser::hear(std::span<const float> take, const QString& sentence) {
    const std::vector<qint16> pcm = heardSamples(take);
    AlignedTake heard = align(pcm, sentence, true);
    if (!heard.matched || !everyWordClear(heard)) {
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
