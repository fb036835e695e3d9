// Looking words up in the shipped dictionary: the time of one look-up over
// many words (every 10th word of the CMU Pronouncing Dictionary, read once
// from disk, then again from the page cache), the file's size and what the
// look-ups add to the process's memory. Prints figures, asserts nothing.
//
//   lookup_bench [DICTIONARY]   (default: dictionary/words.dict beside the program)
#include "bench_measure.h"
#include "dictionary.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <ctime>

using hearvex::words::Dictionary;

namespace {

const char* const kCmuDict = "/usr/share/pocketsphinx/model/en-us/cmudict-en-us.dict";

QStringList benchWords() {
    QFile file(QString::fromLatin1(kCmuDict));
    QStringList words;
    if (!file.open(QIODevice::ReadOnly))
        return words;
    for (int line = 0; !file.atEnd(); ++line) {
        const QByteArray text = file.readLine();
        if (line % 10 == 0 && !text.contains('('))
            words << QString::fromUtf8(text.left(text.indexOf(' ')));
    }
    return words;
}

// This thread's CPU time: a look-up's own cost, whatever else the machine runs.
double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// A line of /proc/self/status in kB: VmRSS, RssAnon (the heap), RssFile (mapped files).
long statusKb(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').front().toLong();
    return 0;
}

void reportMemory(const char* when) {
    std::printf("memory %-26s resident %.1f MB: heap %.1f MB, mapped files %.1f MB\n", when,
                double(statusKb("VmRSS")) / 1024, double(statusKb("RssAnon")) / 1024,
                double(statusKb("RssFile")) / 1024);
}

struct Times {
    std::vector<double> wallMs, cpuMs;
};

// Each word the dictionary knows looked up once (a word it lacks goes to
// eSpeak NG, timed apart); how many it knows.
Times timeLookups(const Dictionary& dictionary, const QStringList& words, int* known) {
    Times times;
    *known = 0;
    for (const QString& word : words) {
        if (!dictionary.isWord(word))
            continue;
        const std::int64_t start = bench::steadyNs();
        const double cpuStart = threadCpuMs();
        const auto entry = dictionary.lookup(word);
        times.cpuMs.push_back(threadCpuMs() - cpuStart);
        times.wallMs.push_back(double(bench::steadyNs() - start) / 1e6);
        *known += entry.found ? 1 : 0;
    }
    return times;
}

void report(const char* what, const std::vector<double>& ms) {
    std::printf("%-34s median %.3f ms, 99th %.3f ms, worst %.3f ms (%zu words)\n", what,
                bench::percentile(ms, 0.5), bench::percentile(ms, 0.99), bench::percentile(ms, 1.0),
                ms.size());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : Dictionary::defaultPath(app.applicationDirPath());
    reportMemory("before opening:");
    Dictionary dictionary;
    QString error;
    if (!dictionary.open(path, &error)) {
        std::fprintf(stderr, "lookup_bench: %s\n", qPrintable(error));
        return 1;
    }
    const QStringList words = benchWords();
    std::printf("dictionary: %s, %.1f MB, %d words\n", qPrintable(path),
                double(dictionary.sizeBytes()) / 1e6, dictionary.wordCount());
    int known = 0;
    const Times cold = timeLookups(dictionary, words, &known);
    report("look-up, first pass, wall:", cold.wallMs);
    report("look-up, first pass, CPU:", cold.cpuMs);
    const Times warm = timeLookups(dictionary, words, &known);
    report("look-up, second pass, wall:", warm.wallMs);
    report("look-up, second pass, CPU:", warm.cpuMs);
    std::vector<double> unknown;
    for (const char* word : {"blorptastic", "hearvexing", "qzxvw", "snorfle", "glimbering"}) {
        const std::int64_t start = bench::steadyNs();
        dictionary.lookup(QString::fromLatin1(word));
        unknown.push_back(double(bench::steadyNs() - start) / 1e6);
    }
    report("unknown word (eSpeak NG's IPA):", unknown);
    reportMemory("after the look-ups:");
    return 0;
}
