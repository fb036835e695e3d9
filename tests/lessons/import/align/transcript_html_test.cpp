#include "transcript_html.h"
#include "transcript_sentences.h"

#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

TEST(LooksLikeHtml, TellsAPageFromATextThatMentionsTags) {
    struct Case {
        const char* text;
        bool html;
    };
    const Case cases[] = {
        {"<!DOCTYPE html>\n<html><body>Hi.</body></html>", true},
        {"\xEF\xBB\xBF  <html lang=\"en\"><p>Hi.</p>", true},
        {"<?xml version=\"1.0\"?>\n<!-- saved -->\n<html><p>Hi.</p></html>", true},
        {"<p>One.</p><p>Two.</p>", true},
        {"One.<br>Two.<br/>Three.", true},
        {"Use <p> to start a paragraph.\nThat is all.", false},
        {"I <3 English. 2 < 3 and x<y.", false},
        {"Plain text.\n\nMore text.", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(looksLikeHtml(QString::fromUtf8(c.text)), c.html) << c.text;
}

TEST(HtmlAsTranscript, ReadsWhatABrowserShows) {
    const QString page = QString::fromUtf8(
        "<!DOCTYPE html>\n<html><head><title>Listening practice</title>\n"
        "<style>p { color: red; }</style>\n<script>if (a < b) alert(\"x\");</script></head>\n"
        "<body><!-- nav --><h1>Episode 12</h1>\n"
        "<p>Welcome to the   show.\nToday we talk\nabout <b>tea</b></p><p>Tom &amp; Jerry "
        "said &ldquo;Hi!&rdquo;&nbsp;Then they left.</p>\n"
        "<p class='x > y'>Roses are red<br>Violets are blue.</p>\n"
        "<ul><li>Use &lt;b&gt; for bold</li><li>It costs &#36;5</li></ul>"
        "<noscript>Turn on JavaScript</noscript></body></html>");
    EXPECT_EQ(splitTranscript(page).sentences,
              (QStringList{"Episode 12", "Welcome to the show.", "Today we talk about tea",
                           "Tom & Jerry said \"Hi!\"", "Then they left.", "Roses are red",
                           "Violets are blue.", "Use <b> for bold", "It costs $5"}));
    ASSERT_FALSE(splitTranscript(page).warnings.isEmpty());
    EXPECT_TRUE(splitTranscript(page).warnings.first().contains(QStringLiteral("web page")));
}

TEST(HtmlAsTranscript, KeepsTextThatIsNotATag) {
    EXPECT_EQ(htmlAsTranscript(QStringLiteral("<p>2 < 3 &unknown; AT&T</p>")).trimmed(),
              QStringLiteral("2 &lt; 3 &amp;unknown; AT&amp;T"));
    EXPECT_EQ(htmlAsTranscript(QStringLiteral("<p>cut off <b")).trimmed(),
              QStringLiteral("cut off &lt;b"));
    EXPECT_EQ(htmlAsTranscript(QStringLiteral("<script>never closed")).trimmed(), QString());
    EXPECT_EQ(htmlAsTranscript(QStringLiteral("<p title='it\\'s>Hi.</p>")).trimmed(),
              QStringLiteral("Hi."));
    EXPECT_EQ(htmlAsTranscript(QStringLiteral("<p>a <b or <c</p>")).trimmed(),
              QStringLiteral("a &lt;b or &lt;c"));
    // Thousands of stray '<' and quotes are read in one pass, not one per mark.
    const QString stray =
        QStringLiteral("<p>") + QStringLiteral("<a ' ").repeated(200000) + QStringLiteral(">");
    EXPECT_FALSE(htmlAsTranscript(stray).isEmpty());
}

} // namespace
