// The 练习记录 window's 生词本 page: opened by its button, the kinds of the
// last 30 days and the function words missed most, the kept words with their
// sentences, the exports, and back to the figures.
#include "record_window.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace hearvex::record;

namespace {

std::vector<WordBookWord> keptWords() {
    const LessonRef lesson{QStringLiteral("lesson01.txt"), QStringLiteral("/lessons"),
                           QStringLiteral("The letterpress was shown."), QByteArray("a1")};
    const QDateTime when =
        QDateTime::fromString(QStringLiteral("2026-12-03T09:00:00Z"), Qt::ISODate);
    return {{QStringLiteral("letterpress"),
             {{QStringLiteral("letterpress"), lesson, 4, when}},
             2,
             {{QStringLiteral("spelling"), 1}, {QStringLiteral("rare"), 1}}}};
}

} // namespace

TEST(WordBookPage, OpensFromTheWindowWithKindsFunctionWordsAndTheKeptWords) {
    QWidget owner;
    auto* window = new RecordWindow(&owner);
    int reads = 0;
    window->setWordBookReader([&](WordBookPage& page) {
        ++reads;
        page.showWords(keptWords());
    });
    WordBookPage& page = window->wordBookPage();
    page.setKindLabeler([](const QString& kind) {
        return kind == QLatin1String("spelling") ? QStringLiteral("拼写") : kind;
    });
    page.setGlossesOf([](const QString&) { return QStringLiteral("n. 凸版印刷"); });
    RecordSummary summary;
    summary.missKinds = {{QStringLiteral("spelling"), 3}, {QStringLiteral("function"), 2}};
    summary.mostMissedFunctionWords = {{QStringLiteral("the"), 2, {}}};
    window->showSummary(summary, QDateTime::currentDateTime());
    window->show();
    EXPECT_FALSE(page.isVisible());

    QTest::mouseClick(window->controls().cmdWordBook, Qt::LeftButton);
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(page.controls().lbKinds->text(),
              QStringLiteral("近30天的错误类型：拼写 3 · function 2"));
    EXPECT_TRUE(page.controls().lbFunctionWords->text().endsWith(QStringLiteral("the 2")));
    QTreeWidget* tree = page.controls().treeWords;
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = tree->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("letterpress"));
    EXPECT_EQ(row->text(1), QStringLiteral("2"));
    EXPECT_EQ(row->text(2), QStringLiteral("拼写 1 · rare 1"));
    EXPECT_EQ(row->text(3), QStringLiteral("n. 凸版印刷"));
    ASSERT_EQ(row->childCount(), 1);
    EXPECT_EQ(row->child(0)->text(0), QStringLiteral("The letterpress was shown."));

    QTest::mouseClick(page.controls().cmdBack, Qt::LeftButton);
    EXPECT_FALSE(page.isVisible());
    delete window;
}

TEST(WordBookPage, ExportsTheBookAsCsvAndAsAWordList) {
    QWidget owner;
    WordBookPage page(&owner);
    QTemporaryDir dir;
    QString answer;
    page.setSaveAsker([&](const QString&) { return answer; });
    page.showWords(keptWords());

    answer = dir.filePath(QStringLiteral("book.csv"));
    QTest::mouseClick(page.controls().cmdExportCsv, Qt::LeftButton);
    QFile csv(answer);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray csvBytes = csv.readAll();
    EXPECT_TRUE(csvBytes.startsWith("\xEF\xBB\xBFword,glosses,missed,kinds"));
    EXPECT_TRUE(csvBytes.contains("letterpress"));

    answer = dir.filePath(QStringLiteral("book.rtf"));
    QTest::mouseClick(page.controls().cmdExportList, Qt::LeftButton);
    QFile list(answer);
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_TRUE(list.readAll().startsWith("{\\rtf1"));
    EXPECT_TRUE(page.controls().lbStatus->text().startsWith(QStringLiteral("已导出到")));

    // A folder that cannot be written: said so, nothing claimed.
    answer = dir.filePath(QStringLiteral("no/such/folder/book.rtf"));
    QTest::mouseClick(page.controls().cmdExportList, Qt::LeftButton);
    EXPECT_TRUE(page.controls().lbStatus->text().startsWith(QStringLiteral("无法写入")));
    // Nothing to export: the buttons are greyed out.
    page.showWords({});
    EXPECT_FALSE(page.controls().cmdExportCsv->isEnabled());
}
