#include "help_page.h"

#include <QRegularExpression>

namespace hearvex {

QString helpPageForViewer(const QString& html) {
    // Tags only: the words figure and figcaption in the text stay as they are.
    struct Rewrite {
        const char* tag;
        const char* block;
    };
    static const Rewrite rewrites[] = {
        {R"(<figure(\s[^>]*)?>)",
         R"(<div align="center" style="margin-top:14px; margin-bottom:0px; line-height:100%">)"},
        {R"(</figure\s*>)", "</div>"},
        {R"(<figcaption(\s[^>]*)?>)",
         R"(<p align="center" style="margin-top:6px; margin-bottom:14px; line-height:130%; )"
         R"(font-size:small; color:#4a5670">)"},
        {R"(</figcaption\s*>)", "</p>"},
    };
    QString page = html;
    // A line break of the source between two Chinese characters is no space
    // (a browser drops it too), so sentences do not get gaps where they wrap.
    static const QRegularExpression chineseLineBreak(
        QStringLiteral(R"((?<=[\x{3000}-\x{9FFF}\x{FF00}-\x{FFEF}])[ \t]*\r?\n[ \t]*)"
                       R"((?=[\x{3000}-\x{9FFF}\x{FF00}-\x{FFEF}]))"));
    page.replace(chineseLineBreak, QString());
    for (const Rewrite& rewrite : rewrites)
        page.replace(QRegularExpression(QString::fromLatin1(rewrite.tag),
                                        QRegularExpression::CaseInsensitiveOption),
                     QString::fromLatin1(rewrite.block));
    return page;
}

} // namespace hearvex
