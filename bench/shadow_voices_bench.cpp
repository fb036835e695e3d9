// Shadowing: how takes from many voices come out, word by word. Reads a list
// of takes (any media the lesson tool reads) with the sentence each was meant
// to say, and prints, per group of takes, the share of words said and the
// takes refused; a take with a word left out is checked for that word flagged
// and at most one other; a take of something else for being refused. With
// --words each take's two passes are shown word by word (confidence, length),
// to see why a word was lost. Each take gets a fresh model, as the lesson
// tool has.
//
//   shadow_voices_bench LIST [--words]
//
// LIST: one take a line, tab-separated: group, kind (right, left, other),
// file, sentence, the index of the word left out (left only), room (1: add a
// second of silence either side and a -42 dB noise bed).
#include "bench_measure.h"
#include "shadow_analyser.h"
#include "speech_aligner.h"
#include "speech_audio.h"
#include "speech_pcm.h"

#include <QFile>
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

using hearvex::shadow::TakeAnalysis;
using hearvex::shadow::Verdict;

struct Take {
    QString group, kind, file, sentence;
    int leftOut = -1;
    bool room = false;
};

struct Tally {
    int takes = 0, words = 0, said = 0, refused = 0, failed = 0;
};

std::vector<Take> readList(const QString& path) {
    std::vector<Take> takes;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return takes;
    while (!file.atEnd()) {
        const QStringList f = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char('\t'));
        if (f.size() < 4 || f[0].startsWith(QLatin1Char('#')))
            continue;
        Take take{f[0], f[1], f[2], f[3]};
        take.leftOut = f.size() > 4 && !f[4].isEmpty() ? f[4].toInt() : -1;
        take.room = f.size() > 5 && f[5] == QLatin1String("1");
        takes.push_back(take);
    }
    return takes;
}

std::vector<float> inARoom(const std::vector<float>& speech) {
    std::vector<float> out(16000, 0.0f);
    out.insert(out.end(), speech.begin(), speech.end());
    out.insert(out.end(), 16000, 0.0f);
    uint32_t state = 777;
    const double amplitude = std::pow(10.0, -42.0 / 20.0) * std::sqrt(3.0);
    for (float& s : out) {
        state = state * 1664525u + 1013904223u;
        s += float(amplitude * (double(state >> 8) / double(1 << 23) - 1.0));
    }
    return out;
}

void printPass(const char* name, const hearvex::lessons::SentenceWords& pass) {
    std::printf("    %-8s %.2f%s:", name, pass.confidence, pass.matched ? "" : " (no)");
    for (const hearvex::lessons::TimedWord& w : pass.words)
        std::printf(" %s %.2f/%lld", qPrintable(w.text), w.confidence,
                    static_cast<long long>(w.endMs - w.startMs));
    std::printf("\n");
}

void showPasses(const std::vector<float>& samples, const QString& sentence) {
    hearvex::lessons::SpeechAligner aligner;
    const std::vector<qint16> pcm = hearvex::shadow::heardSamples(samples);
    hearvex::lessons::WordAlignOptions options;
    options.wordsOptional = true;
    options.speechBetweenWordsCounts = true;
    printPass("optional", aligner.alignWords(pcm, sentence, options));
    options.wordsOptional = false;
    printPass("forced", aligner.alignWords(pcm, sentence, options));
}

const char* mark(Verdict verdict) {
    return verdict == Verdict::Said ? "" : verdict == Verdict::Unclear ? "?" : "-";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: shadow_voices_bench LIST [--words]\n");
        return 2;
    }
    const bool words = argc > 2 && std::strcmp(argv[2], "--words") == 0;
    const std::vector<Take> takes = readList(QString::fromLocal8Bit(argv[1]));
    std::map<QString, Tally> right, left, other;
    std::vector<double> cpuPerSecond;
    for (const Take& take : takes) {
        std::vector<qint16> pcm;
        QString error;
        if (!hearvex::lessons::readSpeechPcm(take.file.toLocal8Bit(), &pcm, &error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(take.file), qPrintable(error));
            continue;
        }
        std::vector<float> samples = hearvex::shadow::fromPcm16(pcm);
        if (take.room)
            samples = inARoom(samples);
        hearvex::shadow::ShadowAnalyser analyser;
        const double start = bench::processCpuSeconds();
        const TakeAnalysis analysis =
            hearvex::shadow::analyseTake(analyser.hear(samples, take.sentence), {});
        const double cpu = bench::processCpuSeconds() - start;
        cpuPerSecond.push_back(cpu / (double(samples.size()) / 16000));
        const int count = int(analysis.words.size());
        const int said = analysis.thisSentence ? analysis.said() : 0;
        QString line;
        for (const hearvex::shadow::WordResult& w : analysis.words) {
            line += QStringLiteral(" %1%2").arg(QString::fromLatin1(mark(w.verdict)), w.text);
            if (w.verdict != Verdict::Missed)
                line +=
                    QStringLiteral("(%1/%2)").arg(w.confidence, 0, 'f', 2).arg(w.endMs - w.startMs);
        }
        bool ok = true;
        if (take.kind == QLatin1String("right")) {
            Tally& t = right[take.group];
            ++t.takes;
            t.words += count;
            t.said += said;
            t.refused += analysis.thisSentence ? 0 : 1;
            ok = analysis.thisSentence && said == count;
        } else if (take.kind == QLatin1String("left")) {
            Tally& t = left[take.group];
            ++t.takes;
            ok = analysis.thisSentence && take.leftOut < count &&
                 analysis.words[size_t(take.leftOut)].verdict != Verdict::Said && said >= count - 2;
            t.failed += ok ? 0 : 1;
        } else {
            Tally& t = other[take.group];
            ++t.takes;
            ok = !analysis.thisSentence;
            t.failed += ok ? 0 : 1;
        }
        if (words || !ok) {
            std::printf("%s %s %s%s %.2f s: %s%s\n", ok ? "ok " : "BAD", qPrintable(take.kind),
                        qPrintable(take.file), take.room ? " (room)" : "", cpu,
                        analysis.thisSentence ? "" : "REFUSED", qPrintable(line));
            if (words)
                showPasses(samples, take.sentence);
        }
    }
    Tally all;
    for (const auto& [group, t] : right) {
        std::printf("%-16s right: %3d of %3d words said (%.1f %%), %d of %d takes refused\n",
                    qPrintable(group), t.said, t.words, 100.0 * t.said / std::max(1, t.words),
                    t.refused, t.takes);
        all.said += t.said;
        all.words += t.words;
        all.refused += t.refused;
        all.takes += t.takes;
    }
    std::printf("%-16s right: %3d of %3d words said (%.1f %%), %d of %d takes refused\n", "all",
                all.said, all.words, 100.0 * all.said / std::max(1, all.words), all.refused,
                all.takes);
    for (const auto& [group, t] : left)
        std::printf("%-16s left out: %d of %d takes wrong\n", qPrintable(group), t.failed, t.takes);
    for (const auto& [group, t] : other)
        std::printf("%-16s not the sentence: %d of %d takes wrongly analysed\n", qPrintable(group),
                    t.failed, t.takes);
    std::printf("analysis: %.3f s CPU per second of take, median; %.3f worst\n",
                bench::percentile(cpuPerSecond, 0.5), bench::percentile(cpuPerSecond, 1.0));
    return 0;
}
