#include "take_analysis.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace hearvex::shadow {

namespace {

bool found(const lessons::TimedWord& word) {
    return word.endMs > word.startMs;
}

WordResult judgeWord(const lessons::TimedWord& heard, const AnalysisSettings& settings) {
    WordResult result;
    result.text = heard.text;
    result.confidence = std::clamp(heard.confidence, 0.0, 1.0);
    if (!found(heard))
        return result;
    result.startMs = heard.startMs;
    result.endMs = heard.endMs;
    result.verdict =
        result.confidence >= settings.saidConfidence ? Verdict::Said : Verdict::Unclear;
    return result;
}

// The span from the first to the last word found, in ms; 0 when under two words.
qint64 speechSpan(const std::vector<const lessons::TimedWord*>& words) {
    qint64 first = -1;
    qint64 last = -1;
    for (const lessons::TimedWord* word : words) {
        if (word == nullptr || !found(*word))
            continue;
        first = first < 0 ? word->startMs : first;
        last = word->endMs;
    }
    return first < 0 ? 0 : last - first;
}

// Pairs the take's words found with the model's, both in sentence order.
struct Pairs {
    std::vector<const lessons::TimedWord*> take, model;
};

Pairs pairWords(const AlignedTake& take, const lessons::WordTimes& model) {
    Pairs pairs;
    for (size_t i = 0; i < take.words.size() && i < model.size(); ++i) {
        const bool both = found(take.words[i]) && found(model[i]);
        pairs.take.push_back(both ? &take.words[i] : nullptr);
        pairs.model.push_back(both ? &model[i] : nullptr);
    }
    return pairs;
}

void judgeTiming(const Pairs& pairs, double tempo, const AnalysisSettings& settings,
                 std::vector<WordResult>* words) {
    const lessons::TimedWord* lastTake = nullptr;
    const lessons::TimedWord* lastModel = nullptr;
    for (size_t i = 0; i < pairs.take.size(); ++i) {
        const lessons::TimedWord* take = pairs.take[i];
        const lessons::TimedWord* model = pairs.model[i];
        if (take == nullptr)
            continue;
        const double ratio =
            double(take->endMs - take->startMs) / (double(model->endMs - model->startMs) * tempo);
        WordResult& word = (*words)[i];
        word.pace = ratio > settings.slowerThan   ? Pace::Slow
                    : ratio < settings.fasterThan ? Pace::Fast
                                                  : Pace::Usual;
        if (lastTake != nullptr) {
            const qint64 modelGap = model->startMs - lastModel->endMs;
            const double takeGap = double(take->startMs - lastTake->endMs);
            word.pauseBefore =
                modelGap <= settings.phraseGapMs &&
                takeGap - double(modelGap) * tempo > double(settings.insertedPauseMs);
        }
        lastTake = take;
        lastModel = model;
    }
}

int scoreOf(const TakeAnalysis& analysis) {
    if (analysis.words.empty() || !analysis.thisSentence)
        return 0;
    double words = 0;
    int timed = 0;
    int offTime = 0;
    for (const WordResult& word : analysis.words) {
        words += word.verdict == Verdict::Said ? 1 : word.verdict == Verdict::Unclear ? 0.5 : 0;
        timed += word.pace == Pace::Unknown ? 0 : 1;
        offTime += (word.pace == Pace::Slow || word.pace == Pace::Fast ? 1 : 0) +
                   (word.pauseBefore ? 1 : 0);
    }
    const double wordShare = words / double(analysis.words.size());
    if (timed == 0)
        return int(std::lround(100 * wordShare));
    // Timing counts only as far as the words were said: nothing said scores 0.
    const double timing = 1.0 - std::min(1.0, double(offTime) / timed);
    return int(std::lround(100 * wordShare * (0.8 + 0.2 * timing)));
}

} // namespace

double foundShare(const AlignedTake& take) {
    const auto count = std::count_if(take.words.begin(), take.words.end(), found);
    return take.words.empty() ? 0 : double(count) / double(take.words.size());
}

bool looselyMatched(const AlignedTake& take, const AnalysisSettings& settings) {
    return take.confidence >= settings.looseMatch && foundShare(take) >= settings.looseFoundShare;
}

bool rescues(const lessons::TimedWord& word, const AnalysisSettings& settings) {
    return word.confidence >= settings.rescueConfidence &&
           word.endMs - word.startMs >= settings.rescueShortestMs;
}

double displacement(const AlignedTake& first, const AlignedTake& later) {
    double lost = 0;
    for (size_t i = 0; i < first.words.size() && i < later.words.size(); ++i)
        if (found(first.words[i]) && found(later.words[i]))
            lost += std::max(0.0, first.words[i].confidence - later.words[i].confidence);
    return lost;
}

bool rescuedBy(const AlignedTake& first, const AlignedTake& later, size_t word,
               const AnalysisSettings& settings) {
    return word < later.words.size() && rescues(later.words[word], settings) &&
           displacement(first, later) <= settings.rescueDisplacement;
}

bool everyWordFound(const AlignedTake& take) {
    return !take.words.empty() && std::all_of(take.words.begin(), take.words.end(), found);
}

bool everyWordClear(const AlignedTake& take, const AnalysisSettings& settings) {
    return everyWordFound(take) &&
           std::all_of(take.words.begin(), take.words.end(), [&](const lessons::TimedWord& w) {
               return w.confidence >= settings.saidConfidence;
           });
}

AlignedTake judgePasses(AlignedTake optional, const AlignedTake* forced,
                        const AnalysisSettings& settings) {
    const bool forcedWhole = forced != nullptr && forced->words.size() == optional.words.size() &&
                             everyWordFound(*forced);
    optional.matched = optional.matched ||
                       (forcedWhole && forced->confidence >= settings.forcedMatch) ||
                       looselyMatched(optional, settings);
    if (!forcedWhole)
        return optional;
    AlignedTake judged = optional;
    for (size_t i = 0; i < judged.words.size(); ++i) {
        lessons::TimedWord& first = judged.words[i];
        const lessons::TimedWord& second = forced->words[i];
        if (found(first))
            first.confidence = std::max(first.confidence, second.confidence);
        else if (rescuedBy(optional, *forced, i, settings))
            first = second;
    }
    return judged;
}

std::vector<size_t> skippedWords(const AlignedTake& take) {
    std::vector<size_t> skipped;
    for (size_t i = 0; i < take.words.size(); ++i)
        if (!found(take.words[i]))
            skipped.push_back(i);
    return skipped;
}

QString withWordAdded(const AlignedTake& take, size_t added, size_t* addedAt) {
    QStringList words;
    for (size_t i = 0; i < take.words.size(); ++i) {
        if (i == added)
            *addedAt = size_t(words.size());
        if (i == added || found(take.words[i]))
            words << take.words[i].text;
    }
    return words.join(QLatin1Char(' '));
}

AlignedTake againInPlace(const AlignedTake& take, size_t added, const AlignedTake& again) {
    AlignedTake placed = again;
    placed.words.clear();
    size_t next = 0;
    for (size_t i = 0; i < take.words.size(); ++i) {
        lessons::TimedWord word = take.words[i];
        if ((i == added || found(word)) && next < again.words.size()) {
            word = again.words[next++];
            word.text = take.words[i].text;
        } else {
            word.endMs = word.startMs;
            word.confidence = 0;
        }
        placed.words.push_back(word);
    }
    return placed;
}

QString verdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Said:
        return QStringLiteral("said");
    case Verdict::Unclear:
        return QStringLiteral("unclear");
    case Verdict::Missed:
        break;
    }
    return QStringLiteral("missed");
}

int TakeAnalysis::said() const {
    return int(std::count_if(words.begin(), words.end(),
                             [](const WordResult& w) { return w.verdict == Verdict::Said; }));
}

QStringList TakeAnalysis::missedWords() const {
    QStringList missed;
    for (const WordResult& word : words)
        if (word.verdict != Verdict::Said)
            missed << word.text;
    return missed;
}

TakeAnalysis analyseTake(const AlignedTake& take, const lessons::WordTimes& model,
                         const AnalysisSettings& settings) {
    TakeAnalysis analysis;
    for (const lessons::TimedWord& heard : take.words)
        analysis.words.push_back(judgeWord(heard, settings));
    const int said = analysis.said();
    analysis.thisSentence = take.matched && !take.words.empty() &&
                            double(said) >= settings.leastSaidShare * double(take.words.size());
    if (model.size() == take.words.size() && analysis.thisSentence) {
        const Pairs pairs = pairWords(take, model);
        const qint64 modelSpan = speechSpan(pairs.model);
        if (modelSpan > 0) {
            analysis.tempo = double(speechSpan(pairs.take)) / double(modelSpan);
            if (analysis.tempo > 0)
                judgeTiming(pairs, analysis.tempo, settings, &analysis.words);
        }
    }
    analysis.score = scoreOf(analysis);
    return analysis;
}

} // namespace hearvex::shadow
