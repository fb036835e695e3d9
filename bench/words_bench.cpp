// Every lesson's word times on real human speech (pocketsphinx-testdata's
// utterances joined with pauses, each a subtitle line): an import with its
// words found and its long sentences cut into phrases, against the same
// import without; how many lines got word times, their mean confidence, how
// many lessons the phrases made, and the peak memory of each (its own child).
//
//   words_bench [--minutes N]   about N minutes of speech (default 10)
#include "bench_files.h"
#include "cue_word_finder.h"
#include "import_media.h"
#include "spoken_material.h"
#include "word_times.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

QString srtTime(double seconds) {
    const auto ms = static_cast<long long>(seconds * 1000 + 0.5);
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// The utterances over and over, pauses of 0.4 to 1.3 s, until `minutes`.
SpokenRecording talk(const std::vector<Utterance>& utterances, double minutes) {
    std::vector<SpokenPiece> pieces;
    double length = 0;
    for (size_t i = 0; length < minutes * 60; ++i) {
        SpokenPiece piece;
        piece.utterance = &utterances[(i * 7) % utterances.size()];
        piece.pauseBefore = 0.4 + 0.1 * double(i % 10);
        piece.gain = 0.5f + 0.1f * float(i % 6);
        length += piece.pauseBefore + double(piece.utterance->samples.size()) / kSpokenRate;
        pieces.push_back(piece);
    }
    return joinSpeech(pieces, 1.0);
}

bool writeSubtitles(const QString& path, const SpokenRecording& recording) {
    QString srt;
    for (qsizetype i = 0; i < recording.sentences.size(); ++i)
        srt += QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                   .arg(i + 1)
                   .arg(srtTime(recording.startRange[size_t(i)].second - 0.1),
                        srtTime(recording.endRange[size_t(i)].first + 0.1), recording.sentences[i]);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(srt.toUtf8()) > 0;
}

struct Figures {
    double wall = 0, cpu = 0;
    long peakKb = 0;
    int lessons = 0, timed = 0;
    double confidence = 0;
};

// One import in a child of its own, so its peak memory is its own.
Figures importInChild(const ImportRequest& request) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        Figures f;
        const ImportResult result = importMedia(request);
        f.lessons = int(result.lessons.size());
        for (const QString& recording : result.lessons) {
            const QByteArray words = request.folder + '/' + QFile::encodeName(recording);
            const WordTimes times = readWordTimes(wordTimesFileName(words)).words;
            f.timed += times.empty() ? 0 : 1;
            f.confidence += meanConfidence(times);
        }
        f.confidence = f.timed > 0 ? f.confidence / f.timed : 0;
        if (result.outcome != ImportOutcome::Done)
            std::fprintf(stderr, "import failed: %s\n", qPrintable(result.message));
        const bool sent = write(pipeFds[1], &f, sizeof f) == ssize_t(sizeof f);
        _exit(sent ? 0 : 1);
    }
    close(pipeFds[1]);
    Figures f;
    const bool got = read(pipeFds[0], &f, sizeof f) == ssize_t(sizeof f);
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    f.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    f.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    f.peakKb = usage.ru_maxrss;
    return got ? f : Figures{};
}

void print(const char* what, const Figures& f) {
    std::printf("  %-22s %7.1f s wall %7.1f s CPU  %6.1f MB peak  %4d lessons  %4d with word "
                "times (mean confidence %.2f)\n",
                what, f.wall, f.cpu, double(f.peakKb) / 1024, f.lessons, f.timed, f.confidence);
}

} // namespace

int main(int argc, char** argv) {
    double minutes = 10;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--minutes") == 0)
            minutes = std::max(0.5, std::atof(argv[i + 1]));
    const std::vector<Utterance> utterances = transcribedUtterances();
    if (utterances.empty()) {
        std::fprintf(stderr, "pocketsphinx-testdata is not installed\n");
        return 1;
    }
    QTemporaryDir work(QDir(QString::fromStdString(bench::cacheDir())).filePath("words-XXXXXX"));
    SpokenRecording recording = talk(utterances, minutes);
    const QString media = work.filePath(QStringLiteral("talk.wav"));
    const QString subtitles = work.filePath(QStringLiteral("talk.srt"));
    if (!work.isValid() || !writeWav(media, recording.samples) ||
        !writeSubtitles(subtitles, recording)) {
        std::fprintf(stderr, "cannot write the recording\n");
        return 1;
    }
    // The imports run in children: the speech must not count in their memory.
    const double speechMinutes = double(recording.samples.size()) / kSpokenRate / 60;
    std::vector<float>().swap(recording.samples);
    ImportRequest request;
    request.media = QFile::encodeName(media);
    request.subtitles = QFile::encodeName(subtitles);
    request.name = "talk";
    std::printf("%.1f min of read speech (16 kHz WAV), %lld lines of 2 to 22 words:\n",
                speechMinutes, static_cast<long long>(recording.sentences.size()));
    request.folder = QFile::encodeName(work.filePath(QStringLiteral("plain")));
    const Figures plain = importInChild(request);
    print("import, no word times", plain);
    request.folder = QFile::encodeName(work.filePath(QStringLiteral("words")));
    request.findWords = speechWordFinder();
    const Figures words = importInChild(request);
    print("import with word times", words);
    std::printf("  word times cost %.1f s of CPU per minute of speech\n",
                (words.cpu - plain.cpu) / speechMinutes);
    return words.timed > 0 ? 0 : 1;
}
