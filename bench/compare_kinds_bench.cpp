// The kinds of miss: the time of one aligned compare with its kinds, as F9
// makes it, with the shipped dictionary and the CMU readings; the first
// compare of a run (the CMU index is made then) apart; the process's memory.
//
//   compare_kinds_bench [DICTIONARY]   default: dictionary/words.dict beside it
#include "bench_measure.h"
#include "cmu_readings.h"
#include "dictionary.h"
#include "dictionary_facts.h"
#include "miss_pairs.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

using namespace hearvex;

namespace {

// A sentence and what a learner might type for it: slips of every kind.
struct Pair {
    const char* sentence;
    const char* typed;
};
constexpr Pair kPairs[] = {
    {"There were a lot of books printed in 1455 at the Exhibition.",
     "Their were alot of book printd on fourteen fifty-five at the exhibition"},
    {"If the letterpress is here, it's fine.", "the leterpress is hear it is fine"},
    {"She bought 3 new cars on the 21st of May.",
     "She brought three knew cars in the twenty-first of may"},
    {"The ubiquitous zymurgy scholar walked to the river bank.",
     "The ubiquitus zymergy scholar walk to the riverbank"},
    {"We went to the park with my sister today.", "We went the park"},
    {"Someone can't believe you're here again.", "some one cannot believe your here"},
};

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

double compareMs(const exercise::WordFacts& facts, const Pair& pair) {
    const std::int64_t start = bench::steadyNs();
    const exercise::WordAlignment alignment =
        exercise::alignWords(QString::fromUtf8(pair.sentence), QString::fromUtf8(pair.typed));
    const std::vector<exercise::ComparedPair> pairs = exercise::comparePairs(alignment, facts);
    const double ms = double(bench::steadyNs() - start) / 1e6;
    if (pairs.empty())
        std::fprintf(stderr, "no pairs for %s\n", pair.sentence);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : words::Dictionary::defaultPath(app.applicationDirPath());
    words::Dictionary dictionary;
    QString error;
    if (!dictionary.open(path, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const long before = residentKb();
    const std::int64_t indexStart = bench::steadyNs();
    { const exercise::CmuReadings readings; }
    const double indexMs = double(bench::steadyNs() - indexStart) / 1e6;
    const exercise::WordFacts facts = exercise::dictionaryFacts(dictionary);
    const double first = compareMs(facts, kPairs[0]);
    std::vector<double> times;
    for (int round = 0; round < 200; ++round)
        for (const Pair& pair : kPairs)
            times.push_back(compareMs(facts, pair));
    std::printf("CMU readings mapped and indexed alone: %.1f ms\n", indexMs);
    std::printf("first compare (CMU readings indexed again, dictionary blocks read): %.1f ms\n",
                first);
    std::printf("compare with kinds, %zu runs: median %.2f ms, 99th %.2f ms, worst %.2f ms\n",
                times.size(), bench::percentile(times, 0.5), bench::percentile(times, 0.99),
                bench::percentile(times, 1.0));
    std::printf("resident memory: %ld kB before, %ld kB after\n", before, residentKb());
    return 0;
}
