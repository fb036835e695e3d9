// The look-up panel's keep button and K key: the word shown goes to the
// owner's word book once, and the panel says whether it went in.
#include "lookup_panel.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace hearvex::words;

namespace {
WordEntry letterpress() {
    WordEntry entry;
    entry.found = true;
    entry.word = "letterpress";
    entry.lemma = "letterpress";
    entry.band = 5;
    entry.glosses = {"n. 凸版印刷"};
    return entry;
}
} // namespace

TEST(LookupPanelKeep, TheKeyAndTheButtonKeepTheWordShownOnce) {
    struct Case {
        bool byKey;
        QString error; // what the owner answers
        const char* caption;
    };
    const Case cases[] = {
        {true, QString(), "已加入生词本 ✓"},
        {false, QString(), "已加入生词本 ✓"},
        {true, QStringLiteral("生词本无法保存：disk full"), "没能加入生词本"},
    };
    for (const Case& c : cases) {
        QWidget owner;
        LookupPanel panel(&owner);
        QStringList kept;
        panel.setKeepHandler([&](const WordEntry& entry) {
            kept << entry.word;
            return c.error;
        });
        panel.showEntry(letterpress());
        QPushButton* keep = panel.controls().cmdKeep;
        ASSERT_TRUE(keep->isEnabled());
        if (c.byKey)
            QTest::keyClick(&panel, Qt::Key_K);
        else
            QTest::mouseClick(keep, Qt::LeftButton);
        EXPECT_EQ(kept, QStringList{"letterpress"});
        EXPECT_EQ(keep->text(), QString::fromUtf8(c.caption));
        EXPECT_FALSE(keep->isEnabled());
        if (!c.error.isEmpty()) {
            EXPECT_EQ(keep->toolTip(), c.error);
        }
        // Once: a second K keeps nothing more, until another word is shown.
        QTest::keyClick(&panel, Qt::Key_K);
        EXPECT_EQ(kept.size(), 1);
        panel.showEntry(letterpress());
        EXPECT_TRUE(keep->isEnabled());
    }
}

TEST(LookupPanelKeep, NothingToKeepWithoutAWordOrAnOwner) {
    QWidget owner;
    LookupPanel panel(&owner);
    panel.showEntry(letterpress());
    EXPECT_FALSE(panel.controls().cmdKeep->isEnabled()); // no word book given
    int calls = 0;
    panel.setKeepHandler([&](const WordEntry&) {
        ++calls;
        return QString();
    });
    panel.showNote(QStringLiteral("光标处没有词"));
    EXPECT_FALSE(panel.controls().cmdKeep->isEnabled());
    QTest::keyClick(&panel, Qt::Key_K);
    EXPECT_EQ(calls, 0);
}
