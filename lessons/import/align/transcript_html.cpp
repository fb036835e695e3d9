#include "transcript_html.h"

#include "html_entities.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <optional>

namespace hearvex::lessons {

namespace {

// Elements whose content a browser does not show as the page's text.
bool isHidden(const QString& name) {
    static const QSet<QString> hidden = {
        QStringLiteral("head"),     QStringLiteral("script"),   QStringLiteral("style"),
        QStringLiteral("noscript"), QStringLiteral("template"), QStringLiteral("svg"),
        QStringLiteral("iframe"),   QStringLiteral("object"),
    };
    return hidden.contains(name);
}

// Elements that start and end a block of their own: what they hold is never
// one sentence with what stands around them.
bool isBlock(const QString& name) {
    static const QSet<QString> blocks = {
        QStringLiteral("address"),    QStringLiteral("article"),    QStringLiteral("aside"),
        QStringLiteral("blockquote"), QStringLiteral("body"),       QStringLiteral("caption"),
        QStringLiteral("center"),     QStringLiteral("dd"),         QStringLiteral("details"),
        QStringLiteral("div"),        QStringLiteral("dl"),         QStringLiteral("dt"),
        QStringLiteral("fieldset"),   QStringLiteral("figcaption"), QStringLiteral("figure"),
        QStringLiteral("footer"),     QStringLiteral("form"),       QStringLiteral("h1"),
        QStringLiteral("h2"),         QStringLiteral("h3"),         QStringLiteral("h4"),
        QStringLiteral("h5"),         QStringLiteral("h6"),         QStringLiteral("header"),
        QStringLiteral("hr"),         QStringLiteral("html"),       QStringLiteral("li"),
        QStringLiteral("main"),       QStringLiteral("nav"),        QStringLiteral("ol"),
        QStringLiteral("p"),          QStringLiteral("pre"),        QStringLiteral("section"),
        QStringLiteral("summary"),    QStringLiteral("table"),      QStringLiteral("title"),
        QStringLiteral("tr"),         QStringLiteral("ul"),
    };
    return blocks.contains(name);
}

constexpr qsizetype kLongestTag = 1024;

struct Tag {
    QString name; // lower case
    bool closing = false;
    bool selfClosing = false;
    qsizetype end = 0; // one past its '>'
};

// The tag opening at `at`, if a '<' there opens one ("< 3" and "<3" are text);
// nextClose is the first '>' after it (-1: none).
std::optional<Tag> tagAt(const QString& html, qsizetype at, qsizetype nextClose) {
    Tag tag;
    qsizetype i = at + 1;
    tag.closing = i < html.size() && html.at(i) == QLatin1Char('/');
    i += tag.closing ? 1 : 0;
    const qsizetype nameStart = i;
    while (i < html.size() && (html.at(i).isLetterOrNumber() || html.at(i) == QLatin1Char('-')))
        ++i;
    if (i == nameStart || !html.at(nameStart).isLetter())
        return std::nullopt;
    tag.name = html.mid(nameStart, i - nameStart).toLower();
    // Quoted attribute values may hold '>'; an unclosed quote ends the tag at
    // its first '>', and a tag is never longer than kLongestTag, so that a page
    // full of stray quotes or '<' is still read in one pass.
    if (nextClose < 0)
        return std::nullopt;
    const qsizetype limit = std::min(html.size(), i + kLongestTag);
    QChar quote;
    for (; i < limit; ++i) {
        const QChar c = html.at(i);
        if (!quote.isNull())
            quote = c == quote ? QChar() : quote;
        else if (c == QLatin1Char('"') || c == QLatin1Char('\''))
            quote = c;
        else if (c == QLatin1Char('>'))
            break;
        else if (c == QLatin1Char('<'))
            return std::nullopt; // "a <b or c": text
    }
    if (i >= limit)
        i = nextClose;
    tag.selfClosing = html.at(i - 1) == QLatin1Char('/');
    tag.end = i + 1;
    return tag;
}

// One past the end of `needle` from `from` on, ignoring case; the text's end if absent.
qsizetype skipPast(const QString& html, qsizetype from, QStringView needle) {
    const qsizetype at = html.indexOf(needle, from, Qt::CaseInsensitive);
    return at < 0 ? html.size() : at + needle.size();
}

// One past the element's closing tag, for an element whose content is skipped.
qsizetype endOfElement(const QString& html, const Tag& open) {
    const QString closing = QStringLiteral("</") + open.name;
    const qsizetype at = html.indexOf(closing, open.end, Qt::CaseInsensitive);
    return at < 0 ? html.size() : skipPast(html, at, u">");
}

// A run of the page's text as the transcript holds it.
QString textOf(QStringView run) {
    static const QRegularExpression whitespace(QStringLiteral(R"(\s+)"));
    QString text = run.toString().replace(whitespace, QStringLiteral(" "));
    text = decodeCharacterReferences(text);
    text.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    return text.replace(QLatin1Char('<'), QLatin1String("&lt;"));
}

// What a tag stands for in the text.
QString separatorFor(const Tag& tag) {
    if (tag.name == QLatin1String("br"))
        return QStringLiteral("\n");
    if (isBlock(tag.name))
        return QStringLiteral("\n\n");
    if (tag.name == QLatin1String("td") || tag.name == QLatin1String("th"))
        return QStringLiteral(" ");
    return {};
}

} // namespace

bool looksLikeHtml(const QString& text) {
    static const QRegularExpression page(
        QStringLiteral(R"(^[\s\x{FEFF}]*(?:<\?xml[^>]*>\s*)?(?:<!--.*?-->\s*)*)"
                       R"(<(?:!doctype\s+html|html[\s>]|head[\s>]|body[\s>]))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression breaks(QStringLiteral(R"(<(?:/p|br\s*/?|/div|/h[1-6]|/li)>)"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (page.match(text).hasMatch())
        return true;
    auto it = breaks.globalMatch(text);
    return it.hasNext() && (it.next(), it.hasNext());
}

QString htmlAsTranscript(const QString& html) {
    QString out;
    qsizetype textStart = 0;
    qsizetype i = 0;
    qsizetype nextClose = html.indexOf(QLatin1Char('>'));
    while (i < html.size()) {
        const qsizetype lt = html.indexOf(QLatin1Char('<'), i);
        if (lt >= 0 && nextClose >= 0 && nextClose < lt)
            nextClose = html.indexOf(QLatin1Char('>'), lt);
        if (lt < 0 || nextClose < 0)
            break; // no tag opens without a '>' after it

        std::optional<Tag> tag;
        qsizetype next = lt + 1;
        if (QStringView(html).mid(lt).startsWith(u"<!--"))
            next = skipPast(html, lt + 4, u"-->");
        else if (lt + 1 < html.size() &&
                 (html.at(lt + 1) == QLatin1Char('!') || html.at(lt + 1) == QLatin1Char('?')))
            next = skipPast(html, lt, u">"); // <!DOCTYPE>, <?xml?>, <![CDATA[
        else if ((tag = tagAt(html, lt, nextClose)))
            next = !tag->closing && !tag->selfClosing && isHidden(tag->name)
                       ? endOfElement(html, *tag)
                       : tag->end;
        else {
            i = lt + 1; // a '<' in the text
            continue;
        }
        out += textOf(QStringView(html).mid(textStart, lt - textStart));
        if (tag)
            out += separatorFor(*tag);
        i = textStart = next;
    }
    out += textOf(QStringView(html).mid(textStart));
    return out;
}

} // namespace hearvex::lessons
