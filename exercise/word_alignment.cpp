#include "word_alignment.h"

#include <cstdint>
#include <map>

namespace hearvex::exercise {

namespace {

constexpr QChar kSpace = QLatin1Char(' ');

// What an input method's character reads as; a null result keeps the character.
QLatin1StringView asciiFor(QChar c) {
    switch (c.unicode()) {
    case u'，':
        return QLatin1StringView(",");
    case u'。':
        return QLatin1StringView(".");
    case u'！':
        return QLatin1StringView("!");
    case u'？':
        return QLatin1StringView("?");
    case u'：':
        return QLatin1StringView(":");
    case u'；':
        return QLatin1StringView(";");
    case u'‘':
    case u'’':
        return QLatin1StringView("'");
    case u'“':
    case u'”':
        return QLatin1StringView("\"");
    case u'（':
        return QLatin1StringView("(");
    case u'）':
        return QLatin1StringView(")");
    case u'\r':
    case u'\n':
    case 0x2028: // line separator
    case 0x2029: // paragraph separator, a text box's line break
    case 0x3000: // ideographic space
        return QLatin1StringView(" ");
    default:
        return {};
    }
}

// The marks an input method writes full-width after a word, which a space
// follows in English when another word does.
bool isFullWidthMark(QChar c) {
    switch (c.unicode()) {
    case u'，':
    case u'。':
    case u'！':
    case u'？':
    case u'：':
    case u'；':
        return true;
    default:
        return false;
    }
}

// Whether the character after a full-width mark begins a word: not the end of
// a quotation or bracket, not another mark, not a space or line break.
bool beginsWord(QChar next) {
    if (isFullWidthMark(next))
        return false;
    switch (next.unicode()) {
    case u'”':
    case u'’':
    case u'）':
    case u'"':
    case u'\'':
    case u')':
    case u']':
    case u'}':
    case u',':
    case u'.':
    case u'!':
    case u'?':
    case u':':
    case u';':
    case u' ':
    case u'\r':
    case u'\n':
    case 0x2028:
    case 0x2029:
    case 0x3000:
        return false;
    default:
        return true;
    }
}

std::vector<AlignedWord> wordsOf(const QString& original, const CompareText& read,
                                 std::vector<QString>& compared) {
    std::vector<AlignedWord> words;
    const qsizetype size = read.text.size();
    for (qsizetype i = 0; i < size;) {
        if (read.text.at(i) == kSpace) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < size && read.text.at(end) != kSpace)
            ++end;
        const int start = read.source[size_t(i)];
        const int stop = read.source[size_t(end - 1)] + 1;
        words.push_back({original.mid(start, stop - start), start, stop - start, false});
        compared.push_back(read.text.mid(i, end - i));
        i = end;
    }
    return words;
}

// Marks a longest common subsequence of a and b. The table of suffix lengths
// is kept two rows at a time; one bit per cell remembers which word to give
// up on a mismatch, so the walk from the front can follow it.
void markCommon(const std::vector<int>& a, const std::vector<int>& b,
                std::vector<AlignedWord>& aWords, std::vector<AlignedWord>& bWords) {
    const size_t n = a.size();
    const size_t m = b.size();
    std::vector<bool> skipA(n * m);
    std::vector<uint32_t> below(m + 1, 0), row(m + 1, 0);
    for (size_t i = n; i-- > 0;) {
        row[m] = 0;
        for (size_t j = m; j-- > 0;) {
            if (a[i] == b[j]) {
                row[j] = below[j + 1] + 1;
            } else if (below[j] >= row[j + 1]) {
                row[j] = below[j];
                skipA[i * m + j] = true;
            } else {
                row[j] = row[j + 1];
            }
        }
        std::swap(below, row);
    }
    size_t i = 0, j = 0;
    while (i < n && j < m) {
        if (a[i] == b[j]) {
            aWords[i++].matched = true;
            bWords[j++].matched = true;
        } else if (skipA[i * m + j]) {
            ++i;
        } else {
            ++j;
        }
    }
}

} // namespace

CompareText compareText(const QString& original) {
    CompareText read;
    read.text.reserve(original.size());
    read.source.reserve(size_t(original.size()));
    for (qsizetype i = 0; i < original.size(); ++i) {
        const QLatin1StringView ascii = asciiFor(original.at(i));
        if (ascii.isNull()) {
            read.text += original.at(i);
            read.source.push_back(int(i));
            continue;
        }
        read.text += ascii;
        read.source.insert(read.source.end(), size_t(ascii.size()), int(i));
        if (isFullWidthMark(original.at(i)) && i + 1 < original.size() &&
            beginsWord(original.at(i + 1))) {
            read.text += kSpace;
            read.source.push_back(int(i));
        }
    }
    return read;
}

int WordAlignment::matchedCount() const {
    int count = 0;
    for (const AlignedWord& word : sentence)
        count += word.matched ? 1 : 0;
    return count;
}

std::vector<QString> WordAlignment::missedWords() const {
    std::vector<QString> missed;
    for (const AlignedWord& word : sentence)
        if (!word.matched)
            missed.push_back(word.text);
    return missed;
}

WordAlignment alignWords(const QString& sentence, const QString& typed) {
    WordAlignment result;
    std::vector<QString> sentenceWords, typedWords;
    result.sentence = wordsOf(sentence, compareText(sentence), sentenceWords);
    result.typed = wordsOf(typed, compareText(typed), typedWords);
    const long long cells =
        static_cast<long long>(sentenceWords.size()) * static_cast<long long>(typedWords.size());
    if (cells > kMaxAlignmentCells) {
        result.tooLong = true;
        return result;
    }

    // Words as numbers, so the table compares integers.
    std::map<QString, int> numbers;
    const auto numbered = [&numbers](const std::vector<QString>& words) {
        std::vector<int> out;
        out.reserve(words.size());
        for (const QString& word : words)
            out.push_back(numbers.try_emplace(word, int(numbers.size())).first->second);
        return out;
    };
    const std::vector<int> a = numbered(sentenceWords);
    const std::vector<int> b = numbered(typedWords);
    markCommon(a, b, result.sentence, result.typed);
    return result;
}

} // namespace hearvex::exercise
