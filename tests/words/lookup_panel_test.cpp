// The look-up panel: what it shows of a word, how it is closed and played,
// and the texts behind it.
#include "lookup_panel.h"
#include "panel_texts.h"
#include "picture_button.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace hearvex::words;

namespace {

WordEntry ranEntry() {
    WordEntry entry;
    entry.found = true;
    entry.word = "ran";
    entry.lemma = "run";
    entry.forms = {"ran", "running", "runs"};
    entry.ipa = "ɹæn";
    entry.rank = 20;
    entry.band = 1;
    entry.glosses = {"run的过去式"};
    entry.lemmaGlosses = {"v. 跑", "n. 赛跑"};
    return entry;
}

} // namespace

TEST(PanelTexts, AFormALemmaAndAnUnknownWord) {
    const PanelTexts ran = panelTexts(ranEntry());
    EXPECT_EQ(ran.word, "ran");
    EXPECT_EQ(ran.ipa, "/ɹæn/");
    EXPECT_EQ(ran.lemma, "ran → run");
    EXPECT_EQ(ran.forms, "词形：ran, running, runs");
    EXPECT_EQ(ran.band, "常用度：1 最常用（前 2000 词）");
    EXPECT_EQ(ran.glosses, "run的过去式\n\nrun：\nv. 跑\nn. 赛跑");

    WordEntry run = ranEntry();
    run.word = "Run";
    run.glosses = run.lemmaGlosses;
    const PanelTexts lemma = panelTexts(run);
    EXPECT_TRUE(lemma.lemma.isEmpty()); // its own lemma, whatever the case
    EXPECT_EQ(lemma.glosses, "v. 跑\nn. 赛跑");

    WordEntry unknown;
    unknown.word = "blorptastic";
    unknown.lemma = "blorptastic";
    const PanelTexts none = panelTexts(unknown);
    EXPECT_TRUE(none.ipa.isEmpty());
    EXPECT_TRUE(none.forms.isEmpty());
    EXPECT_TRUE(none.band.contains(QStringLiteral("5")));
    EXPECT_TRUE(none.glosses.contains(QStringLiteral("词典里没有这个词")));

    WordEntry bare = ranEntry();
    bare.glosses.clear();
    bare.lemmaGlosses.clear();
    EXPECT_TRUE(panelTexts(bare).glosses.contains(QStringLiteral("没有这个词的中文释义")));
}

TEST(LookupPanel, ShowsAWordAndPlaysItByButtonAndKeys) {
    QWidget owner;
    LookupPanel panel(&owner);
    int plays = 0;
    QString played;
    panel.setPlayHandler([&](const WordEntry& entry) {
        ++plays;
        played = entry.word;
    });
    panel.showEntry(ranEntry());
    const LookupPanelControls& c = panel.controls();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(c.lbWord->text(), "ran");
    EXPECT_EQ(c.lbIpa->text(), "/ɹæn/");
    EXPECT_EQ(c.lbLemma->text(), "ran → run");
    EXPECT_TRUE(c.txtGlosses->toPlainText().startsWith(QStringLiteral("run的过去式")));
    EXPECT_TRUE(c.cmdPlay->isEnabled());

    QTest::mouseClick(c.cmdPlay, Qt::LeftButton);
    QTest::keyClick(c.cmdPlay, Qt::Key_Space);
    EXPECT_EQ(plays, 2);
    EXPECT_EQ(played, "ran");

    QTest::keyClick(&panel, Qt::Key_Escape);
    EXPECT_FALSE(panel.isVisible());
}

TEST(LookupPanel, ANoteHasNothingToPlayAndTheCrossCloses) {
    QWidget owner;
    LookupPanel panel(&owner);
    int plays = 0;
    panel.setPlayHandler([&](const WordEntry&) { ++plays; });
    panel.showEntry(ranEntry());
    panel.showNote(noWordNote());
    const LookupPanelControls& c = panel.controls();
    EXPECT_TRUE(c.lbWord->text().isEmpty());
    EXPECT_EQ(c.txtGlosses->toPlainText(), noWordNote());
    EXPECT_FALSE(c.cmdPlay->isEnabled());
    QTest::mouseClick(c.cmdPlay, Qt::LeftButton);
    EXPECT_EQ(plays, 0);
    QTest::mouseClick(c.cmdClose, Qt::LeftButton);
    EXPECT_FALSE(panel.isVisible());
}
