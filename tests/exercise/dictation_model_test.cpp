// The dictation model without a window: what the exercise box shows after a
// lesson starts, after each check and with the full text on or off, the
// selection a check leaves, and what a check reports.
#include "dictation_model.h"

#include <gtest/gtest.h>

using namespace hearvex::exercise;

namespace {

struct CheckCase {
    const char* name;
    QString lesson;
    QString typed;
    QString shown;         // the exercise box after the check
    BoxSelection selected; // the last compared slot, or the caret at 0
    int uncovered;
    int words;
    QStringList missed;
};

class CheckOnTheModel : public ::testing::TestWithParam<CheckCase> {};

} // namespace

TEST_P(CheckOnTheModel, ShowsUncoversAndReports) {
    const CheckCase& c = GetParam();
    DictationModel model;
    ASSERT_TRUE(model.start(c.lesson));
    const CheckOutcome outcome = model.check(c.typed);
    EXPECT_EQ(model.shownText(), c.shown);
    EXPECT_EQ(model.selection(), c.selected);
    EXPECT_EQ(outcome.uncovered, c.uncovered);
    EXPECT_EQ(outcome.words, c.words);
    EXPECT_EQ(outcome.missedWords, c.missed);
    // Checking again with the same text gives the same box.
    model.check(c.typed);
    EXPECT_EQ(model.shownText(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, CheckOnTheModel,
    ::testing::Values(
        CheckCase{
            "AllRight", "It's 5 o'clock.", "It's 5 o'clock.", "It's 5 o'clock. ", {7, 8}, 3, 3, {}},
        // "the" is not "The"; "extra" fills the empty slot; "bones" is not "bones.".
        CheckCase{"CaseEmptySlotAndPunctuation",
                  "The dog likes  2 bones.",
                  "the dog\r\n\r\nlikes   extra 2 bones",
                  "*** dog likes  2 *****. ",
                  {17, 6},
                  3,
                  5,
                  {"The", "bones."}},
        // A word left out shifts every later word; the slots beyond the typed words stay masked.
        CheckCase{"WordLeftOut",
                  "We went to the park.",
                  "We went the",
                  "We went ** *** ****. ",
                  {8, 2},
                  2,
                  5,
                  {"to", "the", "park."}},
        CheckCase{"ExtraWordsIgnored", "Go.", "Go. now please", "Go. ", {0, 3}, 1, 1, {}},
        CheckCase{"NothingTyped", "Hi there.", "", "** *****. ", {0, 0}, 0, 2, {"Hi", "there."}},
        CheckCase{"EmptySentence", "\r\nHidden second line", "Hidden", " ", {0, 0}, 0, 0, {}}),
    [](const ::testing::TestParamInfo<CheckCase>& param) { return std::string(param.param.name); });

TEST(DictationModel, ALessonShowsItsFirstLineMaskedWithBothSwitchesReleased) {
    DictationModel model;
    model.setKeywordHint(true);
    model.setFullText(true);
    ASSERT_TRUE(model.start(QStringLiteral("It's 5 o'clock.\r\nA line the learner never sees.")));
    EXPECT_TRUE(model.started());
    EXPECT_EQ(model.sentence(), QStringLiteral("It's 5 o'clock."));
    EXPECT_EQ(model.shownText(), QStringLiteral("**'* 5 *'*****."));
    EXPECT_EQ(model.selection(), (BoxSelection{0, 0}));
    EXPECT_FALSE(model.keywordHintOn());
    EXPECT_FALSE(model.fullTextShown());
}

TEST(DictationModel, ABlankLessonIsShownAsItIsAndTheSentenceStays) {
    DictationModel model;
    model.start(QStringLiteral("Good night."));
    model.setKeywordHint(true);
    EXPECT_FALSE(model.start(QStringLiteral("   ")));
    EXPECT_EQ(model.shownText(), QStringLiteral("   "));
    EXPECT_EQ(model.sentence(), QStringLiteral("Good night."));
    EXPECT_EQ(model.lessonText(), QStringLiteral("   "));
    EXPECT_TRUE(model.keywordHintOn());
    // The box no longer lines up with the sentence: no word may land out of place.
    const CheckOutcome outcome = model.check(QStringLiteral("Good night."));
    EXPECT_EQ(model.shownText(), QStringLiteral("   "));
    EXPECT_EQ(model.selection(), (BoxSelection{3, 0}));
    EXPECT_EQ(outcome.uncovered, 0);
    EXPECT_EQ(outcome.missedWords, (QStringList{"Good", "night."}));
}

TEST(DictationModel, TheFullTextShowsTheSentenceAndACheckMasksItFirst) {
    DictationModel model;
    model.start(QStringLiteral("Where is the station?"));
    model.check(QStringLiteral("Where is"));
    model.setFullText(true);
    EXPECT_TRUE(model.fullTextShown());
    EXPECT_EQ(model.shownText(), QStringLiteral("Where is the station?"));
    model.setFullText(false);
    EXPECT_EQ(model.shownText(), QStringLiteral("***** ** *** *******?"));

    model.setFullText(true);
    model.check(QStringLiteral("Where"));
    EXPECT_FALSE(model.fullTextShown());
    EXPECT_EQ(model.shownText(), QStringLiteral("Where ** *** *******? "));
}

TEST(SentenceSlots, AreTheWordsBetweenSpaces) {
    std::vector<QString> words;
    std::vector<int> offsets;
    for (const SentenceSlot& slot : sentenceSlots(QStringLiteral(" a  bc d. ")))
        words.push_back(slot.word), offsets.push_back(slot.offset);
    EXPECT_EQ(words, (std::vector<QString>{"a", "bc", "d."}));
    EXPECT_EQ(offsets, (std::vector<int>{1, 4, 7}));
    EXPECT_TRUE(sentenceSlots(QString()).empty());
}
