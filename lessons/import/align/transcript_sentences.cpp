#include "transcript_sentences.h"

#include "align_text.h"
#include "cue_text.h"
#include "subtitle_charset.h"
#include "transcript_html.h"
#include "transcript_lines.h"

#include <QRegularExpression>
#include <QSet>

namespace hearvex::lessons {

namespace {

bool isBlank(const QString& line) {
    return line.trimmed().isEmpty();
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

// The spoken part of each line; an empty string for a blank line, which
// ends a paragraph. Label-only and note-only lines are left out, so they
// neither join nor break paragraphs.
QStringList spokenLinesOf(const QString& text) {
    QStringList spoken;
    const QStringList lines = QString(text)
                                  .replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                  .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                  .split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (isBlank(line)) {
            spoken << QString();
            continue;
        }
        const QString part = spokenPart(line);
        if (!part.isEmpty())
            spoken << part;
    }
    return spoken;
}

// Paragraphs: runs of spoken lines joined, broken by blank lines; a first
// line that stands alone (a title) is a paragraph of its own.
QStringList paragraphsOf(const QString& text) {
    QStringList paragraphs;
    QString current;
    const QStringList lines = spokenLinesOf(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.isEmpty()) {
            paragraphs << current;
            current.clear();
        } else if (current.isEmpty() && standsAlone(line, lines.value(i + 1))) {
            paragraphs << line;
        } else {
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
    }
    paragraphs << current;
    return paragraphs;
}

// An English sentence: more Latin letters than Chinese characters.
bool isMostlyLatin(const QString& sentence) {
    qsizetype latin = 0, han = 0;
    for (const QChar c : sentence) {
        if (c.isLetter() && c.unicode() < 0x250)
            ++latin;
        else if (c.script() == QChar::Script_Han)
            ++han;
    }
    return latin > han;
}

// Full-width marks as the ASCII ones a learner types, with the space after
// them that an English text has (none inside a number: 3\uFF1A30).
QString asciiMarks(const QString& sentence) {
    static const QString fullWidth = QStringLiteral("\u3002\uFF01\uFF1F\uFF0C\uFF1B\uFF1A");
    static const QString ascii = QStringLiteral(".!?,;:");
    QString out;
    out.reserve(sentence.size());
    for (qsizetype i = 0; i < sentence.size(); ++i) {
        const qsizetype mark = fullWidth.indexOf(sentence.at(i));
        if (mark < 0) {
            out += sentence.at(i);
            continue;
        }
        out += ascii.at(mark);
        const QChar next = i + 1 < sentence.size() ? sentence.at(i + 1) : QChar();
        const bool inNumber = i > 0 && sentence.at(i - 1).isDigit() && next.isDigit();
        if (next.isLetterOrNumber() && !inNumber)
            out += QLatin1Char(' ');
    }
    return out;
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
    const bool webPage = looksLikeHtml(text);
    if (webPage)
        result.warnings << AlignText::tr("the transcript is a web page (HTML): its text is read, "
                                         "without tags, scripts and styles");
    for (const QString& paragraph : paragraphsOf(webPage ? htmlAsTranscript(text) : text)) {
        for (const QString& raw : sentencesOf(paragraph)) {
            const CueText cleaned = cleanCueText(isMostlyLatin(raw) ? asciiMarks(raw) : raw);
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

TranscriptKind transcriptKind(const QByteArray& bytes) {
    const bool unicodeWithNuls = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (bytes.contains('\0') && !unicodeWithNuls)
        return TranscriptKind::NotText;
    const QString text = QString::fromUtf8(subtitleTextAsUtf8(bytes));
    if (text.trimmed().isEmpty())
        return TranscriptKind::Empty;
    if (looksLikeSubtitles(bytes))
        return TranscriptKind::Subtitles;
    if (looksLikeHtml(text) && splitTranscript(text).sentences.isEmpty())
        return TranscriptKind::EmptyWebPage;
    return TranscriptKind::Transcript;
}

} // namespace hearvex::lessons
