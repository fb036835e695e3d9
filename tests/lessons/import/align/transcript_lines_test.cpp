#include "transcript_lines.h"

#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

TEST(SpokenPart, LeavesOutLabelsAndNotesButNotWhatIsSaid) {
    struct Case {
        const char* line;
        const char* spoken;
    };
    const Case cases[] = {
        {"Neil: Hello there.", "Hello there."},
        {"PRESENTER: Welcome.", "Welcome."},
        {"Dr. Lee: Good morning.", "Good morning."},
        {"Speaker 1: Is this on?", "Is this on?"},
        {"Caller from Galloway: Hi, yes.", "Hi, yes."},
        {"Mary Ann Smith Jones: Four names.", "Four names."},
        {"Voice: Mind the gap.", "Mind the gap."},
        {"Speaker 2\uFF1A\u4F60\u597D", "\u4F60\u597D"},
        {"Neil:", ""},
        {"[music]", ""},
        {"(laughs)", ""},
        {"Fine [laughs] thanks.", "Fine  thanks."},
        // Spoken words that look like a label: a time, a clause, too many words.
        {"At 10:30 we left.", "At 10:30 we left."},
        {"The answer is simple: wait.", "The answer is simple: wait."},
        {"Remember this: never give up.", "Remember this: never give up."},
        {"One Two Three Four Five: count.", "One Two Three Four Five: count."},
        {"so: lower case first", "so: lower case first"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spokenPart(QString::fromUtf8(c.line)), QString::fromUtf8(c.spoken)) << c.line;
}

TEST(StandsAlone, TellsATitleFromASentenceBrokenAcrossLines) {
    struct Case {
        const char* line;
        const char* next;
        bool alone;
    };
    const Case cases[] = {
        {"Listening Practice Unit 3", "Hello and welcome to the programme.", true},
        {"6 Minute English", "", true},
        {"The Road Not Taken", "\"Two roads,\" he said.", true},
        {"Chapter 1", "1990 was a long year.", true},
        // A sentence goes on: a mark at its end, the next line in lower case, a long line.
        {"Hello and welcome.", "I'm Neil.", false},
        {"Two roads diverged in a yellow wood,", "And sorry I could not travel both", false},
        {"She said: \"Go on!\"", "He did.", false},
        {"Second one", "goes on.", false},
        {"Yesterday I went with my friend Wang Fang to the market near the river and",
         "Then we ate.", false},
        {"What I wanted to say is this", "\u2014and then I forgot.", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(standsAlone(QString::fromUtf8(c.line), QString::fromUtf8(c.next)), c.alone)
            << c.line << " / " << c.next;
}

} // namespace
