// The compare's misses in the main window: F9 compares, F9 again shows the
// sentence with its misses marked and their kinds, as a learner without a
// mouse uses it; each attempt reports its misses with their kinds.
#include "dictionary.h"
#include "dictionary_facts.h"
#include "form1.h"
#include "scripted_engine.h"

#include <QTest>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::exercise::AttemptResult;
using hearvex::exercise::MissKind;
using hearvex::testing::ScriptedEngine;

namespace {

class CompareMisses : public ::testing::Test {
protected:
    CompareMisses() {
        form.load();
        form.show();
        // The dictionary the program ships, as beside the built program.
        QString error;
        EXPECT_TRUE(dictionary.open(QStringLiteral(HEARVEX_DICTIONARY), &error))
            << error.toStdString();
        form.exercise().setWordFacts(hearvex::exercise::dictionaryFacts(dictionary));
        QObject::connect(&form.exercise(), &hearvex::exercise::Exercise::attemptMade,
                         [this](const AttemptResult& r) { attempts.push_back(r); });
    }

    hearvex::controls::RichTextBox* box() { return form.controls().RichTextBox1[0]; }
    hearvex::controls::RichTextBox* typing() { return form.controls().RichTextBox1[1]; }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(typing(), key, modifiers);
    }

    // The exercise box's marks as "offset:text", each highlighted and wavy underlined.
    std::vector<std::string> boxMarks() {
        std::vector<std::string> out;
        for (const QTextEdit::ExtraSelection& mark : box()->extraSelections()) {
            EXPECT_EQ(mark.format.underlineStyle(), QTextCharFormat::WaveUnderline);
            EXPECT_EQ(mark.format.background().color(), QColor(255, 236, 140));
            out.push_back(std::to_string(mark.cursor.selectionStart()) + ':' +
                          mark.cursor.selectedText().toStdString());
        }
        return out;
    }

    ScriptedEngine engine;
    Form1 form{engine};
    hearvex::words::Dictionary dictionary;
    std::vector<AttemptResult> attempts;
};

const QString kSentence = QStringLiteral("There were a lot of children in the park.");

} // namespace

TEST_F(CompareMisses, F9AgainShowsTheSentenceWithItsMissesMarkedThenMasksIt) {
    form.exercise().startSentence(kSentence);
    const QString masked = box()->text();
    typing()->setText(QStringLiteral("Their were alot of children the park."));

    press(Qt::Key_F9);
    EXPECT_EQ(form.controls().lbScore->caption(), QStringLiteral("5/9"));
    EXPECT_EQ(box()->text(), masked);
    EXPECT_TRUE(boxMarks().empty());
    const QString tip = form.controls().lbScore->toolTip();
    EXPECT_TRUE(tip.startsWith(QStringLiteral("漏掉或写错的词：There a lot in")))
        << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("There → Their：同音词"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("a lot → alot：连写/分写")));
    EXPECT_TRUE(tip.contains(QStringLiteral("in → （漏写）：虚词")));

    press(Qt::Key_F9);
    EXPECT_EQ(box()->text(), kSentence);
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 1); // the full-text switch, pressed
    EXPECT_EQ(boxMarks(), (std::vector<std::string>{"0:There", "11:a", "13:lot", "29:in"}));
    EXPECT_EQ(attempts.size(), 1u); // showing is no new attempt

    press(Qt::Key_F9);
    EXPECT_EQ(box()->text(), masked);
    EXPECT_TRUE(boxMarks().empty());
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);
}

TEST_F(CompareMisses, FullTextHintShowsTheMissesWhileACompareStandsOnly) {
    form.exercise().startSentence(kSentence);
    typing()->setText(QStringLiteral("There were a lot of children in the"));
    press(Qt::Key_F8);
    EXPECT_TRUE(boxMarks().empty()); // no compare yet
    press(Qt::Key_F9);
    EXPECT_EQ(boxMarks(), (std::vector<std::string>{"36:park."}));
    // A keystroke in the typing box ends the compare and its marks.
    QTest::keyClicks(typing(), QStringLiteral(" "));
    EXPECT_TRUE(boxMarks().empty());
    EXPECT_FALSE(form.exercise().comparisonStands());
    // F9 then compares afresh rather than toggling the full text.
    press(Qt::Key_F9);
    EXPECT_TRUE(form.exercise().comparisonStands());
    EXPECT_EQ(box()->text(), kSentence);
}

TEST_F(CompareMisses, AttemptsCarryTheirMissesWithKindsAndTheUntypedTail) {
    form.exercise().startSentence(QStringLiteral("We went to the park with my sister today."));
    typing()->setText(QStringLiteral("We went the park"));
    press(Qt::Key_Return, Qt::ControlModifier);
    press(Qt::Key_F9);
    ASSERT_EQ(attempts.size(), 2u);

    struct Expected {
        const char* word;
        MissKind kind;
        bool counted;
    };
    const auto described = [](const std::vector<hearvex::exercise::WordMiss>& misses) {
        std::vector<std::string> out;
        for (const auto& miss : misses)
            out.push_back(miss.word.toStdString() + '/' +
                          hearvex::exercise::missKindName(miss.kind).toStdString() +
                          (miss.counted ? "" : "/tail"));
        return out;
    };
    // The check left "the park" masked too, shifted by "to"; the compare found them.
    EXPECT_EQ(attempts[0].missedWords.size(), 7);
    EXPECT_EQ(described(attempts[0].misses),
              (std::vector<std::string>{"to/function", "with/function/tail", "my/function/tail",
                                        "sister/missed/tail", "today./missed/tail"}));
    EXPECT_EQ(described(attempts[1].misses), described(attempts[0].misses));
}
