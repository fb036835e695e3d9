#include "html_entities.h"

#include <QRegularExpression>

namespace hearvex::lessons {

namespace {

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

} // namespace

QString decodeCharacterReferences(const QString& text) {
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

} // namespace hearvex::lessons
