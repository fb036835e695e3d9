#include "transcript_sentences.h"

#include "align_text.h"
#include "cue_text.h"
#include "subtitle_charset.h"

#include <QRegularExpression>
#include <QSet>

namespace hearvex::lessons {

namespace {

bool isBlank(const QString& line) {
    return line.trimmed().isEmpty();
}

// "Neil:", "PRESENTER:", "Mary Ann:", "Dr. Lee:" opening a line.
const QRegularExpression& speakerLabel() {
    static const QRegularExpression label(
        QStringLiteral(R"(^\s*(?:[A-Z][A-Za-z'.-]*)(?: [A-Z][A-Za-z'.-]*){0,2}\s*[:：]\s*)"));
    return label;
}

// A line that is only a note on the sound: "[music]", "(laughs)", "【音乐】".
bool isBracketedNote(const QString& line) {
    static const QRegularExpression note(
        QStringLiteral(R"(^\s*(?:\[[^\]]*\]|\([^)]*\)|【[^】]*】|（[^）]*）)\s*$)"));
    return note.match(line).hasMatch();
}

// The line as it is read aloud: no speaker label, no [notes]; empty when
// nothing of it is spoken.
QString spokenPart(const QString& line) {
    if (isBracketedNote(line))
        return {};
    QString text = line;
    const QRegularExpressionMatch label = speakerLabel().match(text);
    if (label.hasMatch())
        text = text.mid(label.capturedEnd());
    static const QRegularExpression inlineNote(QStringLiteral(R"(\[[^\]]*\])"));
    return text.remove(inlineNote).trimmed();
}

bool isCloser(QChar c) {
    static const QString closers =
        QStringLiteral("\"')]}\u201D\u2019\u00BB\u300D\u300F\uFF09\u3011");
    return closers.contains(c);
}

bool isFullWidthEnd(QChar c) {
    return c == QChar(0x3002) || c == QChar(0xFF01) || c == QChar(0xFF1F);
}

// The word ending at `dot` (inclusive), without opening quotes or brackets.
QString wordEndingAt(const QString& text, qsizetype dot) {
    qsizetype from = dot;
    while (from > 0 && !text.at(from - 1).isSpace())
        --from;
    while (from < dot && !text.at(from).isLetterOrNumber())
        ++from;
    return text.mid(from, dot - from + 1).toLower();
}

bool isAbbreviation(const QString& word) {
    static const QSet<QString> known = {
        QStringLiteral("mr."),  QStringLiteral("mrs."), QStringLiteral("ms."),
        QStringLiteral("dr."),  QStringLiteral("st."),  QStringLiteral("prof."),
        QStringLiteral("u.s."), QStringLiteral("u.k."), QStringLiteral("e.g."),
        QStringLiteral("i.e."), QStringLiteral("etc."), QStringLiteral("a.m."),
        QStringLiteral("p.m."), QStringLiteral("vs."),  QStringLiteral("jr."),
        QStringLiteral("sr."),  QStringLiteral("mt."),
    };
    return known.contains(word);
}

// Where the sentence that has a terminator at `at` ends (one past its closing
// quotes), or -1 when it does not end there.
qsizetype sentenceEnd(const QString& text, qsizetype at) {
    const QChar c = text.at(at);
    qsizetype end = at + 1;
    if (isFullWidthEnd(c)) {
        while (end < text.size() && (isFullWidthEnd(text.at(end)) || isCloser(text.at(end))))
            ++end;
        return end;
    }
    const bool ellipsis = c == QChar(0x2026) || (c == QLatin1Char('.') && end < text.size() &&
                                                 text.at(end) == QLatin1Char('.'));
    while (end < text.size() && QStringLiteral(".!?\u2026").contains(text.at(end)))
        ++end;
    while (end < text.size() && isCloser(text.at(end)))
        ++end;
    if (end < text.size() && !text.at(end).isSpace())
        return -1; // 3.5, U.S.-made, "?"-like punctuation inside a word
    if (c == QLatin1Char('.') && !ellipsis && end == at + 1 &&
        isAbbreviation(wordEndingAt(text, at)))
        return -1;
    if (ellipsis && end < text.size()) {
        // An ellipsis trails off inside a sentence unless a capital starts the next.
        qsizetype next = end;
        while (next < text.size() && (text.at(next).isSpace() || !text.at(next).isLetterOrNumber()))
            ++next;
        if (next < text.size() && !text.at(next).isUpper())
            return -1;
    }
    return end;
}

bool isTerminator(QChar c) {
    return c == QLatin1Char('.') || c == QLatin1Char('!') || c == QLatin1Char('?') ||
           c == QChar(0x2026) || isFullWidthEnd(c);
}

// A paragraph (lines between blank lines, already joined) cut into sentences.
QStringList sentencesOf(const QString& paragraph) {
    QStringList out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < paragraph.size(); ++i) {
        if (!isTerminator(paragraph.at(i)))
            continue;
        const qsizetype end = sentenceEnd(paragraph, i);
        if (end < 0) {
            // The rest of an ellipsis or "?!" is judged with its first mark.
            while (i + 1 < paragraph.size() && isTerminator(paragraph.at(i + 1)))
                ++i;
            continue;
        }
        out << paragraph.mid(start, end - start);
        start = end;
        i = end - 1;
    }
    out << paragraph.mid(start);
    return out;
}

// Paragraphs: runs of spoken lines, broken by blank lines. Label-only and
// note-only lines neither join nor break them.
QStringList paragraphsOf(const QString& text) {
    QStringList paragraphs;
    QString current;
    const QStringList lines = QString(text)
                                  .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                  .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                  .split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (isBlank(line)) {
            paragraphs << current;
            current.clear();
            continue;
        }
        const QString spoken = spokenPart(line);
        if (!spoken.isEmpty())
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + spoken;
    }
    paragraphs << current;
    return paragraphs;
}

bool hasWords(const QString& sentence) {
    for (const QChar c : sentence)
        if (c.isLetterOrNumber())
            return true;
    return false;
}

} // namespace

TranscriptSentences splitTranscript(const QString& text) {
    TranscriptSentences result;
    for (const QString& paragraph : paragraphsOf(text)) {
        for (const QString& raw : sentencesOf(paragraph)) {
            const CueText cleaned = cleanCueText(raw);
            if (!hasWords(cleaned.sentence))
                continue;
            result.sentences << cleaned.sentence;
            if (!cleaned.dropped.isEmpty())
                result.warnings << AlignText::tr("sentence %1: dropped \"%2\" (not in GBK)")
                                       .arg(result.sentences.size())
                                       .arg(cleaned.dropped);
        }
    }
    return result;
}

TranscriptSentences splitTranscriptBytes(const QByteArray& bytes) {
    return splitTranscript(QString::fromUtf8(subtitleTextAsUtf8(bytes)));
}

bool looksLikeSubtitles(const QByteArray& bytes) {
    static const QRegularExpression timing(QStringLiteral(
        R"((?:^|\n)\s*(?:\d+:)?\d{1,2}:\d{2}[.,]\d{1,3}\s*-->|^\s*WEBVTT|\[Script Info\]|)"
        R"((?:^|\n)\s*\[\d{1,3}:\d{2}(?:[.:]\d{1,3})?\])"));
    const QString head = QString::fromUtf8(subtitleTextAsUtf8(bytes.left(64 * 1024)));
    return timing.match(head).hasMatch();
}

} // namespace hearvex::lessons
