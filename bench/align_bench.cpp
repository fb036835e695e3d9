// Aligning transcripts with real human speech whose pauses are known
// (pocketsphinx-testdata's utterances joined with silences): the share of
// sentence edges inside the true pauses for each kind of recording a learner
// brings, then an hour of speech: its time and peak memory, against the
// ffmpeg command re-encoding the same hour once.
//
//   align_bench [--no-hour]
#include "bench_files.h"
#include "forced_aligner.h"
#include "spoken_material.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
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
    Alignment alignment;
};

Measured alignFile(const QString& media, const SpokenRecording& truth, double timeScale = 1.0) {
    Measured m;
    m.alignment = alignTranscript(QFile::encodeName(media), truth.sentences);
    std::vector<double> starts, ends;
    for (const AlignedSentence& s : m.alignment.sentences) {
        starts.push_back(double(s.startMs) / 1000);
        ends.push_back(double(s.endMs) / 1000);
    }
    m.edges = edgesInPauses(truth, starts, ends, timeScale);
    for (size_t k = 0; k < starts.size() && std::getenv("ALIGN_BENCH_VERBOSE"); ++k)
        std::printf("   %6.2f [%6.2f %6.2f]  %6.2f [%6.2f %6.2f]\n", starts[k],
                    truth.startRange[k].first * timeScale, truth.startRange[k].second * timeScale,
                    ends[k], truth.endRange[k].first * timeScale,
                    truth.endRange[k].second * timeScale);
    return m;
}

void report(const char* name, const Measured& m) {
    std::printf("%-34s edges in pause %5.1f %%  match %.3f  implausible %.2f  %s\n", name,
                100 * m.edges, m.alignment.matchRatio, m.alignment.implausibleShare,
                m.alignment.outcome == AlignmentOutcome::Done
                    ? "aligned"
                    : qPrintable(QStringLiteral("refused: ") + m.alignment.message));
    for (size_t k = 0; k < m.alignment.sentences.size() && std::getenv("ALIGN_BENCH_TEXTS"); ++k)
        std::printf("   %7.2f %7.2f %s\n", m.alignment.sentences[k].startMs / 1000.0,
                    m.alignment.sentences[k].endMs / 1000.0,
                    qPrintable(m.alignment.sentences[k].text.left(40)));
}

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

    SpokenRecording wrong = plain;
    std::reverse(wrong.sentences.begin(), wrong.sentences.end());
    for (QString& s : wrong.sentences)
        s = QStringLiteral("The weather will be sunny and warm in the north. ") + s.left(10);
    report("another recording's transcript", alignFile(plainWav, wrong));
    const SpokenRecording loud = joinSpeech(pieces, 1.0, -45);
    writeWav(dir + QStringLiteral("/loud.wav"), loud.samples);
    report("noise bed at -45 dBFS", alignFile(dir + QStringLiteral("/loud.wav"), loud));
    QStringList other;
    for (int i = 0; i < 30; ++i)
        other << QStringLiteral(
                     "It is sometimes said that a quiet morning by the river is the best cure.")
              << QStringLiteral("Nobody knew how far the old road went, or who had built it.")
              << QStringLiteral("The committee will meet again next week to discuss the budget.");
    SpokenRecording unrelated = plain;
    unrelated.sentences = other.mid(0, 30);
    report("an unrelated transcript", alignFile(plainWav, unrelated));
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
    std::printf("  edges in pause %.1f %%\n", 100 * run.edges);
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
    variants(utterances, dir.path());
    if (!(argc > 1 && std::strcmp(argv[1], "--no-hour") == 0))
        hour(utterances, dir.path());
    return 0;
}
