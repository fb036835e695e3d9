// The reader's document as HTML for QTextDocument.
#include "rtf_reader.h"

#include <QStringList>

#include "twips.h"

namespace hearvex::text {

using base::roundHalfEven;

namespace {

QString colorName(const RtfColor& c) {
    return QStringLiteral("#%1%2%3")
        .arg(c.red, 2, 16, QLatin1Char('0'))
        .arg(c.green, 2, 16, QLatin1Char('0'))
        .arg(c.blue, 2, 16, QLatin1Char('0'));
}

// Font names come from the file: keep them from closing the quoted value.
QString quotedFamily(const QString& family) {
    QString safe;
    for (const QChar c : family)
        if (c != u'\'' && c != u'"' && c != u';' && c != u'<' && c != u'>' && c != u'&' &&
            c != u'\\')
            safe += c;
    return u'\'' + safe + u'\'';
}

QString spanStyle(const RtfFormat& f) {
    QStringList parts;
    if (!f.fontFamily.isEmpty())
        parts << QStringLiteral("font-family:%1").arg(quotedFamily(f.fontFamily));
    if (f.halfPoints > 0) // points at the 96 dpi the program's layouts are drawn for
        parts
            << QStringLiteral("font-size:%1px").arg(std::max(1, roundHalfEven(f.halfPoints / 1.5)));
    if (f.bold)
        parts << QStringLiteral("font-weight:700");
    if (f.italic)
        parts << QStringLiteral("font-style:italic");
    if (f.underline || f.strike)
        parts << QStringLiteral("text-decoration:%1%2")
                     .arg(f.underline ? QStringLiteral("underline") : QString(),
                          f.strike ? QStringLiteral(" line-through") : QString());
    if (f.color)
        parts << QStringLiteral("color:%1").arg(colorName(*f.color));
    if (f.background)
        parts << QStringLiteral("background-color:%1").arg(colorName(*f.background));
    return parts.join(QStringLiteral("; "));
}

QString escaped(const QString& text) {
    QString out = text.toHtmlEscaped();
    out.replace(QChar::LineSeparator, QStringLiteral("<br />"));
    return out;
}

QString alignStyle(RtfAlign align) {
    switch (align) {
    case RtfAlign::Center:
        return QStringLiteral(" text-align:center;");
    case RtfAlign::Right:
        return QStringLiteral(" text-align:right;");
    case RtfAlign::Justify:
        return QStringLiteral(" text-align:justify;");
    case RtfAlign::Left:
        break;
    }
    return {};
}

} // namespace

QString rtfToHtml(const RtfDocument& document) {
    QString html = QStringLiteral("<html><body>");
    for (const RtfParagraph& p : document.paragraphs) {
        if (p.runs.empty()) {
            html += QStringLiteral("<p style=\"-qt-paragraph-type:empty; margin:0;\"><br /></p>");
            continue;
        }
        // pre-wrap keeps runs of spaces and tabs, which lists use to line up columns.
        html += QStringLiteral("<p style=\"margin:0; white-space:pre-wrap;%1\">")
                    .arg(alignStyle(p.align));
        for (const RtfRun& run : p.runs) {
            const QString style = spanStyle(run.format);
            if (style.isEmpty())
                html += escaped(run.text);
            else
                html +=
                    QStringLiteral("<span style=\"%1\">%2</span>").arg(style, escaped(run.text));
        }
        html += QStringLiteral("</p>");
    }
    html += QStringLiteral("</body></html>");
    return html;
}

} // namespace hearvex::text
