#include "cue_text.h"

#include "html_entities.h"
#include "lesson_file.h"

#include <QRegularExpression>

namespace hearvex::lessons {

namespace {

// ASS override blocks {...}; inside a drawing ({\p1} .. {\p0}) the text is
// vector commands, not words.
QString removeOverrideBlocks(const QString& text) {
    static const QRegularExpression drawingOn(QStringLiteral(R"(\\p[1-9])"));
    static const QRegularExpression drawingOff(QStringLiteral(R"(\\p0)"));
    QString out;
    out.reserve(text.size());
    bool drawing = false;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype close =
            text.at(i) == QLatin1Char('{') ? text.indexOf(QLatin1Char('}'), i + 1) : -1;
        if (close >= 0) {
            const QString block = text.mid(i + 1, close - i - 1);
            if (block.contains(drawingOn))
                drawing = true;
            else if (block.contains(drawingOff))
                drawing = false;
            i = close + 1;
            continue;
        }
        if (!drawing)
            out += text.at(i);
        ++i;
    }
    return out;
}

// ASS escapes: \N and \n break the line, \h is a hard space.
QString replaceAssBreaks(QString text) {
    text.replace(QLatin1String("\\N"), QLatin1String("\n"));
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\\h"), QLatin1String(" "));
    return text;
}

// HTML-like tags of SubRip and WebVTT (<i>, <font ...>, <v Bob>, <c.yellow>,
// <00:01.000>); a '<' followed by a space or a digit run without '>' is text.
QString removeTags(QString text) {
    static const QRegularExpression lineBreak(QStringLiteral(R"(<br\s*/?>)"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral(R"(</?[A-Za-z0-9][^<>]*>)"));
    text.replace(lineBreak, QStringLiteral("\n"));
    return text.remove(tag);
}

QString asciiPunctuation(char32_t c) {
    switch (c) {
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032:
    case 0x02BC:
        return QStringLiteral("'");
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
        return QStringLiteral("\"");
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212:
        return QStringLiteral("-");
    case 0x2026:
        return QStringLiteral("...");
    default:
        return {};
    }
}

bool isInvisible(char32_t c) {
    // Zero-width marks, joiners, byte-order marks and controls carry no words.
    return c == 0x200B || c == 0x200C || c == 0x200D || c == 0x200E || c == 0x200F || c == 0x2060 ||
           c == 0xFEFF || c == 0x00AD || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || (c < 0x20 && c != '\t' && c != '\n' && c != '\r') ||
           c == 0x7F;
}

// Characters as a lesson holds them; spaces become ' ', runs of them one.
CueText normalise(const QString& text) {
    CueText result;
    QString& out = result.sentence;
    bool pendingSpace = false;
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isSpace(c) || c == 0x2028 || c == 0x2029) {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (isInvisible(c))
            continue;
        QString piece = asciiPunctuation(c);
        if (piece.isEmpty())
            piece = QString::fromUcs4(&c, 1);
        if (piece.at(0).unicode() >= 0x80 && lessons::firstUnencodable(piece) >= 0) {
            result.dropped += piece;
            continue;
        }
        if (pendingSpace)
            out += QLatin1Char(' ');
        pendingSpace = false;
        out += piece;
    }
    return result;
}

} // namespace

CueText cleanCueText(const QString& raw) {
    QString text = raw;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text = removeOverrideBlocks(text);
    text = replaceAssBreaks(text);
    text = removeTags(text);
    text = decodeCharacterReferences(text);
    return normalise(text);
}

QString assEventText(const QString& event) {
    qsizetype at = 0;
    for (int field = 0; field < 8; ++field) {
        at = event.indexOf(QLatin1Char(','), at);
        if (at < 0)
            return event;
        ++at;
    }
    return event.mid(at);
}

} // namespace hearvex::lessons
