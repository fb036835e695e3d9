#include "word_form.h"

#include <algorithm>

namespace hearvex::words {

namespace {

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber();
}

bool isJoiner(QChar c) {
    return c == u'\'' || c == u'-' || c == u'.' || c == u'\u2019';
}

// Inside a word: a letter or digit, or a joiner with a letter or digit on both sides.
bool belongsToWord(const QString& text, int i) {
    if (i < 0 || i >= text.size())
        return false;
    if (isWordCharacter(text[i]))
        return true;
    return isJoiner(text[i]) && i > 0 && i + 1 < text.size() && isWordCharacter(text[i - 1]) &&
           isWordCharacter(text[i + 1]);
}

QString straightApostrophes(QString word) {
    word.replace(u'\u2019', u'\'');
    word.replace(u'\u2018', u'\'');
    return word;
}

QString stripOuter(const QString& word, bool keepFinalDot) {
    int first = 0, end = int(word.size());
    while (first < end && !isWordCharacter(word[first]))
        ++first;
    while (end > first && !isWordCharacter(word[end - 1]))
        --end;
    if (keepFinalDot && end < word.size() && word[end] == u'.')
        ++end;
    return word.mid(first, end - first);
}

} // namespace

TextWord wordAt(const QString& text, int position) {
    int at = position;
    if (!belongsToWord(text, at)) {
        // The caret after a word and the marks that close it ("ran,|") means that word.
        at = std::min(position, int(text.size())) - 1;
        while (at >= 0 && !text[at].isSpace() && !belongsToWord(text, at))
            --at;
    }
    if (!belongsToWord(text, at))
        return {};
    int start = at, end = at + 1;
    while (belongsToWord(text, start - 1))
        --start;
    while (belongsToWord(text, end))
        ++end;
    return {start, end - start, text.mid(start, end - start)};
}

QStringList lookupCandidates(const QString& word) {
    const QString straight = straightApostrophes(word.trimmed());
    QStringList candidates;
    const auto add = [&candidates](const QString& candidate) {
        if (!candidate.isEmpty() && !candidates.contains(candidate))
            candidates.append(candidate);
    };
    const QString bare = stripOuter(straight, false);
    add(bare);
    add(stripOuter(straight, true)); // "U.S." is only found with its dot
    if (bare.endsWith(QLatin1String("'s"), Qt::CaseInsensitive))
        add(bare.chopped(2));
    else if (bare.endsWith(QLatin1String("s'"), Qt::CaseInsensitive))
        add(bare.chopped(1));
    return candidates;
}

} // namespace hearvex::words
