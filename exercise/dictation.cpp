#include "dictation.h"

#include "plain_text.h"

namespace hearvex::exercise {

namespace {
constexpr QChar kSpace = QLatin1Char(' ');

QString withTrailingSpace(QString text) {
    if (!text.endsWith(kSpace))
        text += kSpace;
    return text;
}
} // namespace

QString maskLetters(const QString& text) {
    QString masked = text;
    for (QChar& c : masked) {
        const char16_t code = c.unicode();
        if ((code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z'))
            c = QLatin1Char('*');
    }
    return masked;
}

QString sentenceOf(const QString& lessonText) {
    return text::firstLineOf(lessonText);
}

bool isBlankLesson(const QString& lessonText) {
    for (QChar c : lessonText)
        if (c != kSpace)
            return false;
    return true;
}

std::vector<CheckedSlot> checkWords(const QString& typedText, const QString& answerText) {
    QString typed = typedText;
    typed.replace(QLatin1String("\r\n"), QString(kSpace));
    typed = withTrailingSpace(typed);
    const QString answer = withTrailingSpace(answerText);

    // p and w: index of the space that ended the last typed word and the last
    // answer slot taken (-1 before the first).
    std::vector<CheckedSlot> compared;
    qsizetype p = -1;
    qsizetype w = -1;
    for (;;) {
        const qsizetype s = typed.indexOf(kSpace, p + 1);
        if (s < 0)
            break;
        if (s == p + 1) { // an empty typed word: the answer does not move
            p = s;
            continue;
        }
        const qsizetype q = answer.indexOf(kSpace, w + 1);
        if (q < 0)
            break;
        if (q != w + 1) {
            const QString word = answer.mid(w + 1, q - w - 1);
            const QString typedWord = typed.mid(p + 1, s - p - 1);
            compared.push_back({static_cast<int>(w + 1), word, word == typedWord});
        }
        w = q;
        p = s;
    }
    return compared;
}

std::vector<SentenceSlot> sentenceSlots(const QString& answerText) {
    std::vector<SentenceSlot> found;
    qsizetype start = 0;
    while (start <= answerText.size()) {
        qsizetype end = answerText.indexOf(kSpace, start);
        if (end < 0)
            end = answerText.size();
        if (end > start)
            found.push_back({static_cast<int>(start), answerText.mid(start, end - start)});
        start = end + 1;
    }
    return found;
}

} // namespace hearvex::exercise
