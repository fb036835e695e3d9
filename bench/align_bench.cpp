// Aligning transcripts with real human speech whose pauses are known
// (pocketsphinx-testdata's utterances joined with silences): the share of
// sentence edges inside the true pauses and how far the first and last words
// are from where the voice starts and ends, for each kind of recording a
// learner brings and each kind of wrong transcript; then an hour of speech:
// its time and peak memory, against the ffmpeg command re-encoding the same
// hour once.
//
//   align_bench [--no-hour | --hour-only]
#include "acoustic_alignment.h"
#include "bench_files.h"
#include "spoken_material.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

[[maybe_unused]] double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool ffmpeg(const QStringList& args) {
    QProcess run;
    run.start(QStringLiteral("ffmpeg"), QStringList{"-v", "error", "-y"} + args);
    return run.waitForFinished(-1) && run.exitStatus() == QProcess::NormalExit &&
           run.exitCode() == 0;
}

// Every utterance once, pauses of 0.35 to 1.25 s, gains varied.
std::vector<SpokenPiece> programme(const std::vector<Utterance>& utterances, int round) {
    std::vector<SpokenPiece> pieces;
    for (size_t i = 0; i < utterances.size(); ++i) {
        const size_t pick = (i * 7 + size_t(round) * 3) % utterances.size();
        SpokenPiece piece;
        piece.utterance = &utterances[pick];
        piece.pauseBefore = 0.35 + 0.1 * double((i * 5 + size_t(round)) % 10);
        piece.gain = 0.5f + 0.1f * float((i + size_t(round)) % 6);
        pieces.push_back(piece);
    }
    return pieces;
}

struct Measured {
    double edges = 0;
    double wordEdgeMedianMs = 0; // first word's start and last word's end against the voice's
    AcousticAlignment alignment;
};

// Edges of the kept sentences against their truth: sentence n of the
// transcript is truth's n - 1 - offset (offset: unread lines put before it).
Measured alignFile(const QString& media, const SpokenRecording& truth, double timeScale = 1.0,
                   const QStringList& transcript = {}) {
    Measured m;
    m.alignment = alignAcoustically(QFile::encodeName(media),
                                    transcript.isEmpty() ? truth.sentences : transcript);
    std::vector<double> starts, ends, wordEdges;
    for (const AlignedSentence& s : m.alignment.sentences) {
        starts.push_back(double(s.startMs) / 1000);
        ends.push_back(double(s.endMs) / 1000);
        const size_t k = starts.size() - 1;
        if (k < truth.startRange.size() && !s.words.empty()) {
            wordEdges.push_back(std::abs(double(s.words.front().startMs) -
                                         1000 * truth.startRange[k].second * timeScale));
            wordEdges.push_back(std::abs(double(s.words.back().endMs) -
                                         1000 * truth.endRange[k].first * timeScale));
        }
    }
    m.edges = edgesInPauses(truth, starts, ends, timeScale);
    if (!wordEdges.empty()) {
        std::nth_element(wordEdges.begin(), wordEdges.begin() + long(wordEdges.size() / 2),
                         wordEdges.end());
        m.wordEdgeMedianMs = wordEdges[wordEdges.size() / 2];
    }
    return m;
}

const char* verdictName(TranscriptVerdict verdict) {
    switch (verdict) {
    case TranscriptVerdict::AllSaid:
        return "all said";
    case TranscriptVerdict::PartlySaid:
        return "partly said";
    case TranscriptVerdict::NotThisRecording:
        return "not this recording";
    case TranscriptVerdict::OutOfOrder:
        return "out of order";
    }
    return "?";
}

void report(const char* name, const Measured& m) {
    const AcousticAlignment& a = m.alignment;
    const bool kept = a.outcome == AlignmentOutcome::Done;
    std::printf("%-34s %-18s kept %3d/%-3d", name, verdictName(a.verdict), int(a.sentences.size()),
                a.sentenceCount);
    if (kept)
        std::printf("  edges in pause %5.1f %%  word edges %3.0f ms (median)", 100 * m.edges,
                    m.wordEdgeMedianMs);
    std::printf("  %s\n", kept ? (a.leftOut.empty() ? "exit 0" : "exit 4") : "exit 1, refused");
}

void wrongTranscripts(const SpokenRecording& plain, const QString& wav);

void variants(const std::vector<Utterance>& utterances, const QString& dir) {
    const Utterance extra = untranscribedUtterance();
    std::vector<SpokenPiece> pieces;
    for (int round = 0; round < 3; ++round)
        for (const SpokenPiece& p : programme(utterances, round))
            pieces.push_back(p);
    const SpokenRecording plain = joinSpeech(pieces, 1.0);
    const QString plainWav = dir + QStringLiteral("/plain.wav");
    writeWav(plainWav, plain.samples);
    report("plain, 30 sentences", alignFile(plainWav, plain));

    const SpokenRecording noisy = joinSpeech(pieces, 1.0, -55);
    writeWav(dir + QStringLiteral("/noisy.wav"), noisy.samples);
    report("noise bed at -55 dBFS", alignFile(dir + QStringLiteral("/noisy.wav"), noisy));

    std::vector<SpokenPiece> withExtras{{&extra, false, 0.8, 1.0f}}; // a title read aloud
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i == 11)
            withExtras.push_back({&extra, false, 0.6, 0.7f});
        withExtras.push_back(pieces[i]);
    }
    const SpokenRecording extras = joinSpeech(withExtras, 1.0);
    writeWav(dir + QStringLiteral("/extras.wav"), extras.samples);
    report("untranscribed title and insert",
           alignFile(dir + QStringLiteral("/extras.wav"), extras));

    ffmpeg({"-i", plainWav, "-filter:a", "atempo=1.15", dir + "/faster.wav"});
    report("15 % faster", alignFile(dir + "/faster.wav", plain, 1 / 1.15));
    ffmpeg({"-i", plainWav, "-filter:a", "lowpass=f=2500,volume=0.6", dir + "/muffled.wav"});
    report("muffled (low-pass 2.5 kHz)", alignFile(dir + "/muffled.wav", plain));
    ffmpeg({"-i", dir + "/noisy.wav", "-c:a", "aac", "-b:a", "96k", dir + "/noisy.m4a"});
    report("noise bed, as M4A", alignFile(dir + "/noisy.m4a", noisy));

    const SpokenRecording loud = joinSpeech(pieces, 1.0, -45);
    writeWav(dir + QStringLiteral("/loud.wav"), loud.samples);
    report("noise bed at -45 dBFS", alignFile(dir + QStringLiteral("/loud.wav"), loud));
    wrongTranscripts(plain, plainWav);
}

// The kinds of transcript that must not be taken as the recording's.
void wrongTranscripts(const SpokenRecording& plain, const QString& wav) {
    QStringList other;
    for (int i = 0; i < 10; ++i)
        other << QStringLiteral(
                     "It is sometimes said that a quiet morning by the river is the best cure.")
              << QStringLiteral("Nobody knew how far the old road went, or who had built it.")
              << QStringLiteral("The committee will meet again next week to discuss the budget.");
    report("an unrelated transcript", alignFile(wav, plain, 1, other));
    QStringList shuffled = plain.sentences;
    for (qsizetype i = 0; i + 7 < shuffled.size(); i += 3)
        shuffled.swapItemsAt(i, i + 7);
    report("shuffled", alignFile(wav, plain, 1, shuffled));
    QStringList swapped = plain.sentences;
    swapped.swapItemsAt(10, 11);
    report("two neighbours swapped", alignFile(wav, plain, 1, swapped));
    QStringList padded = plain.sentences;
    for (int i = 0; i < 5; ++i)
        padded.insert(3 + i * 6, other.at(i));
    report("5 unspoken sentences inserted", alignFile(wav, plain, 1, padded));
    report("twice as long (second half unread)",
           alignFile(wav, plain, 1, plain.sentences + other.mid(0, int(plain.sentences.size()))));
}

// The utterances over and over, in varying order and loudness, to an hour.
SpokenRecording hourOfSpeech(const std::vector<Utterance>& utterances) {
    std::vector<SpokenPiece> pieces;
    double seconds = 0;
    for (int round = 0; seconds < 3600; ++round)
        for (const SpokenPiece& p : programme(utterances, round)) {
            pieces.push_back(p);
            seconds += p.pauseBefore + double(p.utterance->samples.size()) / kSpokenRate;
        }
    return joinSpeech(pieces, 1.0, -60);
}

struct ChildRun {
    double wall = 0, cpu = 0, peakMb = 0;
    double edges = 0;
    int sentences = 0;
    bool ok = false;
};

// Aligns in a child process, so its peak memory is the aligner's own.
ChildRun alignInChild(const QString& media, const SpokenRecording& truth) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const Measured m = alignFile(media, truth);
        double out[2] = {m.edges, double(m.alignment.sentences.size())};
        ssize_t wrote = write(pipeEnds[1], out, sizeof out);
        _exit(wrote == sizeof out && m.alignment.outcome == AlignmentOutcome::Done ? 0 : 1);
    }
    ChildRun run;
    double in[2] = {0, 0};
    close(pipeEnds[1]);
    const bool got = read(pipeEnds[0], in, sizeof in) == sizeof in;
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.wall = seconds(start);
    run.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
              double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakMb = double(usage.ru_maxrss) / 1024;
    run.ok = got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.edges = in[0];
    run.sentences = int(in[1]);
    return run;
}

void hour(const std::vector<Utterance>& utterances, const QString& dir) {
    const QString wav = dir + QStringLiteral("/hour.wav"), mp3 = dir + QStringLiteral("/hour.mp3");
    SpokenRecording truth = hourOfSpeech(utterances);
    const double length = double(truth.samples.size()) / kSpokenRate;
    writeWav(wav, truth.samples);
    std::vector<float>().swap(truth.samples);
    // As a learner's programme comes: 44.1 kHz stereo MP3 at 128 kbit/s.
    ffmpeg({"-i", wav, "-ar", "44100", "-ac", "2", "-c:a", "libmp3lame", "-b:a", "128k", mp3});
    QFile::remove(wav);
    const auto ffmpegStart = std::chrono::steady_clock::now();
    ffmpeg({"-i", mp3, "-c:a", "libmp3lame", dir + QStringLiteral("/again.mp3")});
    const double ffmpegWall = seconds(ffmpegStart);
    const ChildRun run = alignInChild(mp3, truth);
    std::printf("\none hour (%.0f s, %d sentences, 128 kbit/s stereo MP3): %s\n", length,
                int(truth.sentences.size()), run.ok ? "aligned" : "FAILED");
    std::printf("  edges in pause %.1f %%, %d of %d sentences kept\n", 100 * run.edges,
                run.sentences, int(truth.sentences.size()));
    std::printf("  align %.1f s wall, %.1f s CPU (%.2f cores), peak memory %.0f MB\n", run.wall,
                run.cpu, run.cpu / run.wall, run.peakMb);
    std::printf("  ffmpeg re-encoding it once: %.1f s; align / ffmpeg = %.2f\n", ffmpegWall,
                run.wall / ffmpegWall);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<Utterance> utterances = transcribedUtterances();
    if (utterances.empty()) {
        std::fprintf(stderr, "align_bench: install pocketsphinx-testdata\n");
        return 1;
    }
    QTemporaryDir dir;
    const bool hourOnly = argc > 1 && std::strcmp(argv[1], "--hour-only") == 0;
    if (!hourOnly)
        variants(utterances, dir.path());
    if (!(argc > 1 && std::strcmp(argv[1], "--no-hour") == 0))
        hour(utterances, dir.path());
    return 0;
}
