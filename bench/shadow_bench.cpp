// Shadowing: how much processor time one take's analysis costs. The speech
// model is loaded once, as the lesson tool and a session of takes load it;
// each take is then heard against its sentence (the optional pass, and the
// forced pass and rechecks where it needs them), and its pitch and the
// model's are tracked for the window. Real speech from pocketsphinx-testdata.
//
//   shadow_bench [--runs N]
#include "bench_measure.h"
#include "shadow_analyser.h"
#include "speech_pcm.h"
#include "voice_pitch.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstring>

namespace {

struct Take {
    const char* file;
    const char* sentence;
    bool leftOut = false; // the sentence has a word the reader did not say
};

// About 3, 3 and 5 seconds of one reader.
const Take kTakes[] = {
    {"librivox/sense_and_sensibility_01_austen_64kb-0880.wav",
     "He was not an ill disposed young man."},
    {"librivox/sense_and_sensibility_01_austen_64kb-0930.wav",
     "He might even have been made amiable himself."},
    {"librivox/sense_and_sensibility_01_austen_64kb-0890.wav",
     "Unless to be rather cold hearted and rather selfish is to be ill disposed."},
    // The costliest kind: the word skipped, so the sentence is forced through
    // the take and the word rechecked with the others.
    {"librivox/sense_and_sensibility_01_austen_64kb-0920.wav",
     "Had he married a more a amiable woman he might have been made still more very "
     "respectable than he was.",
     true},
};

std::vector<float> readTake(const char* file) {
    const QByteArray path = QByteArray("/usr/share/pocketsphinx/test/data/") + file;
    std::vector<qint16> pcm;
    QString error;
    if (!hearvex::lessons::readSpeechPcm(path, &pcm, &error))
        return {};
    std::vector<float> samples(pcm.size());
    for (size_t i = 0; i < pcm.size(); ++i)
        samples[i] = float(pcm[i]) / 32768.0f;
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 10;
    if (argc == 3 && std::strcmp(argv[1], "--runs") == 0)
        runs = std::max(1, std::atoi(argv[2]));
    const double loadStart = bench::processCpuSeconds();
    hearvex::shadow::ShadowAnalyser analyser;
    if (!analyser.isReady()) {
        std::fprintf(stderr, "shadow_bench: %s\n", qPrintable(analyser.error()));
        return 1;
    }
    std::printf("speech model loaded: %.3f s CPU\n", bench::processCpuSeconds() - loadStart);
    std::vector<std::vector<float>> samples;
    for (const Take& take : kTakes) {
        samples.push_back(readTake(take.file));
        if (samples.back().empty()) {
            std::fprintf(stderr, "shadow_bench: %s missing (pocketsphinx-testdata)\n", take.file);
            return 1;
        }
    }
    const size_t count = std::size(kTakes);
    std::vector<std::vector<double>> hearing(count), pitch(count);
    std::vector<int> said(count);
    // Round the takes, so no take follows itself: the aligner keeps the last
    // take's phone loop, which a take heard again would find.
    for (int run = 0; run < runs; ++run) {
        for (size_t t = 0; t < count; ++t) {
            const double start = bench::processCpuSeconds();
            const hearvex::shadow::TakeAnalysis analysis =
                hearvex::shadow::analyseTake(analyser.hear(samples[t], kTakes[t].sentence), {});
            const double heard = bench::processCpuSeconds();
            hearvex::shadow::trackPitch(samples[t], 16000);
            hearvex::shadow::trackPitch(samples[t], 16000); // the model's, about as long
            pitch[t].push_back(bench::processCpuSeconds() - heard);
            hearing[t].push_back(heard - start);
            said[t] = analysis.said();
        }
    }
    for (size_t t = 0; t < count; ++t)
        std::printf("%.1f s take, %d of %lld words said%s: analysis %.3f s CPU median (%.3f "
                    "worst), both pitch curves %.3f s\n",
                    double(samples[t].size()) / 16000, said[t],
                    static_cast<long long>(QString::fromUtf8(kTakes[t].sentence).split(' ').size()),
                    kTakes[t].leftOut ? " (one left out)" : "", bench::percentile(hearing[t], 0.5),
                    bench::percentile(hearing[t], 1.0), bench::percentile(pitch[t], 0.5));
    return 0;
}
