#include "miss_kind.h"

#include "contractions.h"
#include "function_words.h"
#include "spoken_numbers.h"

#include <algorithm>
#include <array>
#include <vector>

namespace hearvex::exercise {

namespace {

struct KindName {
    MissKind kind;
    const char* name;
    const char16_t* label;
};

constexpr std::array<KindName, 14> kKindNames = {{
    {MissKind::Right, "right", u"正确"},
    {MissKind::Case, "case", u"大小写"},
    {MissKind::Punctuation, "punctuation", u"标点"},
    {MissKind::Boundary, "boundary", u"连写/分写"},
    {MissKind::Contraction, "contraction", u"缩写"},
    {MissKind::Number, "number", u"数字"},
    {MissKind::Homophone, "homophone", u"同音词"},
    {MissKind::Form, "form", u"词形"},
    {MissKind::Spelling, "spelling", u"拼写"},
    {MissKind::Function, "function", u"虚词"},
    {MissKind::Rare, "rare", u"生词"},
    {MissKind::Missed, "missed", u"漏听"},
    {MissKind::Misheard, "misheard", u"听错"},
    {MissKind::Extra, "extra", u"多写"},
}};

bool isMark(QChar c) {
    return !c.isLetterOrNumber();
}

// Letters and digits only: "don't" and "dont", "e-mail" and "email" meet here.
QString lettersOnly(const QString& word) {
    QString kept;
    for (QChar c : word)
        if (c.isLetterOrNumber())
            kept += c;
    return kept.toCaseFolded();
}

QString bareJoined(const QStringList& words, const QString& separator) {
    QStringList bare;
    for (const QString& word : words)
        bare << bareWord(word);
    return bare.join(separator);
}

bool isNumberPair(const QStringList& expected, const QStringList& typed) {
    const auto readsAs = [](const QStringList& digits, const QStringList& words) {
        if (digits.size() != 1)
            return false;
        const QString key = text::numberWordsKey(bareJoined(words, QStringLiteral(" ")));
        for (const QString& reading : text::spokenReadings(bareWord(digits.front())))
            if (text::numberWordsKey(reading) == key)
                return true;
        return false;
    };
    return readsAs(expected, typed) || readsAs(typed, expected);
}

bool sharesPronunciation(const QString& a, const QString& b, const WordFacts& facts) {
    if (!facts.phones)
        return false;
    const QStringList first = facts.phones(a);
    for (const QString& reading : facts.phones(b))
        if (first.contains(reading))
            return true;
    return false;
}

bool isRealWord(const QString& word, const WordFacts& facts) {
    return facts.isWord && facts.isWord(word);
}

bool sameLemma(const QString& a, const QString& b, const WordFacts& facts) {
    if (!facts.lemmaOf)
        return false;
    const QString lemmaA = facts.lemmaOf(a);
    const QString lemmaB = facts.lemmaOf(b);
    return (!lemmaA.isEmpty() && (lemmaA == lemmaB || lemmaA == b)) ||
           (!lemmaB.isEmpty() && lemmaB == a);
}

// Digits put wrong are a number misheard, not a slip of spelling.
bool isSpellingSlip(const QString& expected, const QString& typed, const WordFacts& facts) {
    const auto hasLetter = [](const QString& word) {
        return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); });
    };
    if (!hasLetter(typed) || !hasLetter(expected) || isRealWord(typed, facts))
        return false;
    const int allowed = expected.size() <= 4 ? 1 : 2;
    return editDistance(expected, typed) <= allowed;
}

// A word beyond the 10,000 most frequent lemmas; digits never are. A
// contraction is as common as the word it is glued to.
bool isRare(const QString& word, const WordFacts& facts) {
    if (word.isEmpty() || !word.front().isLetter() || !facts.band)
        return false;
    const QStringList expansions = contractionExpansions(word);
    const QString stem = expansions.isEmpty() ? word : expansions.front().section(' ', 0, 0);
    return facts.band(stem) >= kCommonestRareBand;
}

// A function word, or one glued to its auxiliary: "you're", "it'll".
bool isFunctionWordOrContraction(const QString& word) {
    if (isFunctionWord(word))
        return true;
    const QStringList expansions = contractionExpansions(word);
    return !expansions.isEmpty() && isFunctionWord(expansions.front().section(' ', 0, 0));
}

MissKind classifyLeftOut(const QString& expected, const WordFacts& facts) {
    if (isFunctionWordOrContraction(expected))
        return MissKind::Function;
    return isRare(expected, facts) ? MissKind::Rare : MissKind::Missed;
}

std::optional<MissKind> classifySeveral(const QStringList& expected, const QStringList& typed) {
    if (expected.size() != 1 && typed.size() != 1)
        return std::nullopt;
    if (lettersOnly(expected.join(QString())) == lettersOnly(typed.join(QString())))
        return MissKind::Boundary;
    const QString space = QStringLiteral(" ");
    if (isContractionOf(bareJoined(expected, space), bareJoined(typed, space)))
        return MissKind::Contraction;
    if (isNumberPair(expected, typed))
        return MissKind::Number;
    return std::nullopt;
}

MissKind classifyOne(const QString& expectedWord, const QString& typedWord,
                     const WordFacts& facts) {
    if (expectedWord == typedWord)
        return MissKind::Right;
    if (expectedWord.toCaseFolded() == typedWord.toCaseFolded())
        return MissKind::Case;
    if (lettersOnly(expectedWord) == lettersOnly(typedWord))
        return MissKind::Punctuation;
    const QString expected = bareWord(expectedWord);
    const QString typed = bareWord(typedWord);
    if (isContractionOf(expected, typed))
        return MissKind::Contraction;
    if (isNumberPair({expectedWord}, {typedWord}))
        return MissKind::Number;
    if (isRealWord(typed, facts) && sharesPronunciation(expected, typed, facts))
        return MissKind::Homophone;
    if (sameLemma(expected, typed, facts))
        return MissKind::Form;
    if (isSpellingSlip(expected, typed, facts))
        return MissKind::Spelling;
    if (isFunctionWordOrContraction(expected))
        return MissKind::Function;
    return isRare(expected, facts) ? MissKind::Rare : MissKind::Misheard;
}

} // namespace

QString missKindName(MissKind kind) {
    return QLatin1String(kKindNames[size_t(kind)].name);
}

std::optional<MissKind> missKindNamed(const QString& name) {
    for (const KindName& entry : kKindNames)
        if (name == QLatin1String(entry.name))
            return entry.kind;
    return std::nullopt;
}

QString missKindLabel(MissKind kind) {
    return QString::fromUtf16(kKindNames[size_t(kind)].label);
}

QString bareWord(const QString& word) {
    qsizetype first = 0;
    qsizetype last = word.size();
    while (first < last && isMark(word.at(first)))
        ++first;
    while (last > first && isMark(word.at(last - 1)))
        --last;
    return word.mid(first, last - first).toLower();
}

int editDistance(const QString& a, const QString& b) {
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    // Three rows of the optimal string alignment table.
    std::vector<int> before(size_t(m + 1)), last(size_t(m + 1)), row(size_t(m + 1));
    for (qsizetype j = 0; j <= m; ++j)
        last[size_t(j)] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        row[0] = int(i);
        for (qsizetype j = 1; j <= m; ++j) {
            const int replace = a.at(i - 1) == b.at(j - 1) ? 0 : 1;
            int best = std::min(
                {last[size_t(j)] + 1, row[size_t(j - 1)] + 1, last[size_t(j - 1)] + replace});
            if (i > 1 && j > 1 && a.at(i - 1) == b.at(j - 2) && a.at(i - 2) == b.at(j - 1))
                best = std::min(best, before[size_t(j - 2)] + 1);
            row[size_t(j)] = best;
        }
        std::swap(before, last);
        std::swap(last, row);
    }
    return last[size_t(m)];
}

std::optional<MissKind> classifyPair(const QStringList& expected, const QStringList& typed,
                                     const WordFacts& facts) {
    if (expected.isEmpty() && typed.isEmpty())
        return std::nullopt;
    if (expected.isEmpty())
        return MissKind::Extra;
    if (typed.isEmpty())
        return expected.size() == 1
                   ? std::optional(classifyLeftOut(bareWord(expected.front()), facts))
                   : std::nullopt;
    if (expected.size() == 1 && typed.size() == 1)
        return classifyOne(expected.front(), typed.front(), facts);
    return classifySeveral(expected, typed);
}

} // namespace hearvex::exercise
