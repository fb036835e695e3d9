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

// Numeric references to 0x80..0x9F mean Windows-1252's characters there, as
// HTML reads them (&#146; is a right single quote).
char32_t numericReference(uint code) {
    static const char16_t windows1252[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    if (code >= 0x80 && code <= 0x9F)
        return windows1252[code - 0x80];
    return code;
}

QString decodeEntities(const QString& text) {
    static const QRegularExpression entity(QStringLiteral(
        R"(&(?:#([0-9]{1,8})|#[xX]([0-9A-Fa-f]{1,7})|([A-Za-z][A-Za-z0-9]{1,31}));)"));
    QString out;
    qsizetype from = 0;
    auto it = entity.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        bool ok = false;
        uint code = 0;
        if (m.hasCaptured(1))
            code = m.captured(1).toUInt(&ok, 10);
        else if (m.hasCaptured(2))
            code = m.captured(2).toUInt(&ok, 16);
        if (ok && code > 0 && code <= 0x10FFFF && !QChar::isSurrogate(code)) {
            const char32_t c = numericReference(code);
            out += QString::fromUcs4(&c, 1);
        } else if (const auto named = htmlEntity(m.capturedView(3)); named && !ok) {
            out += *named;
        } else {
            out += m.captured(0); // no character: the text says it literally
        }
    }
    out += QStringView(text).mid(from);
    return out;
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
    text = decodeEntities(text);
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
