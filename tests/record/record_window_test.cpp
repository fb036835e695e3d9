// The practice record's window and its words: the captions of figures and
// times, finding a recorded lesson after a rename, and the window driven as a
// learner does (a due sentence double-clicked, Esc, the CSV export).
#include "day_chart_scale.h"
#include "lesson_match.h"
#include "record_texts.h"
#include "record_window.h"
#include "support/wait_for.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace hearvex::record;

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(15, 0));

TEST(RecordTexts, CaptionsOfFiguresAndTimes) {
    struct Case {
        QString got;
        QString expected;
    };
    const DayFigures none{kNow.date(), 0, 0, 0, 0};
    const DayFigures some{kNow.date(), 5, 41, 50, 12.5};
    const Case cases[] = {
        {todayCaption(none), QStringLiteral("今天：练习 0 句　写对 —　用时 0 分钟")},
        {todayCaption(some), QStringLiteral("今天：练习 5 句　写对 82%　用时 13 分钟")},
        {daysInARowCaption(0, none), QStringLiteral("今天还没有练习")},
        {daysInARowCaption(3, some), QStringLiteral("连续练习 3 天")},
        {dueCaption(kNow.addSecs(-60), kNow), QStringLiteral("已到期")},
        {dueCaption(kNow, kNow), QStringLiteral("已到期")},
        {dueCaption(kNow.addSecs(3600), kNow), QStringLiteral("今天 16:00")},
        {dueCaption(QDateTime(QDate(2026, 12, 8), QTime(0, 5)), kNow),
         QStringLiteral("明天 00:05")},
        {dueCaption(kNow.addDays(3), kNow), QStringLiteral("3 天后")},
        {whenCaption(kNow.addSecs(-3600), kNow), QStringLiteral("今天 14:00")},
        {whenCaption(QDateTime(QDate(2026, 12, 6), QTime(23, 59)), kNow),
         QStringLiteral("昨天 23:59")},
        {whenCaption(QDateTime(QDate(2026, 11, 30), QTime(9, 0)), kNow),
         QStringLiteral("11月30日")},
        {standingToolTip(QStringLiteral("7/9"), kNow.addSecs(-600), kNow.addDays(1), kNow),
         QStringLiteral("上次：7/9（今天 14:50）\n复习：明天 15:00")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got.toStdString(), c.expected.toStdString());
    EXPECT_EQ(percentRight(0, 0), -1);
    EXPECT_EQ(percentRight(1, 3), 33);
    EXPECT_EQ(percentRight(2, 3), 67);
}

// A day of shadowing alone has its column: the minutes axis reaches over the
// dictation and shadowing stacked, and the pointer reads the takes.
TEST(DayChart, StacksShadowingOnTheDictation) {
    const QDate day(2026, 3, 5);
    const DayFigures dictation{day, 4, 41, 50, 17.0};
    DayFigures shadowing{day};
    shadowing.shadowTakes = 6;
    shadowing.shadowMinutes = 30.4;
    DayFigures both = dictation;
    both.shadowTakes = 2;
    both.shadowMinutes = 6.0;
    struct Case {
        std::vector<DayFigures> days;
        double top;
    };
    const Case cases[] = {
        {{}, 20},
        {{dictation}, 20},
        {{dictation, shadowing}, 40},
        {{both}, 40}, // 23 minutes stacked
    };
    for (const Case& c : cases)
        EXPECT_EQ(minutesAxisTop(c.days), c.top) << c.days.size();
    EXPECT_EQ(dayColumnToolTip(both), QStringLiteral("3月5日：听写 4 句 17 分钟，写对 82%\n"
                                                     "跟读 2 次 6.0 分钟"));
    EXPECT_EQ(dayColumnToolTip(shadowing), QStringLiteral("3月5日：跟读 6 次 30.4 分钟"));
    EXPECT_EQ(dayColumnToolTip(DayFigures{day}), QStringLiteral("3月5日：没有练习"));
}

// Three lessons listed; hashing is counted, being the dear part.
struct Listing {
    QStringList names{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")};
    QStringList sentences{QStringLiteral("One."), QStringLiteral("Two."), QStringLiteral("Two.")};
    QList<QByteArray> hashes{"h1", "h2", "h3"};
    int hashed = 0;

    ListedLessons listed() {
        return {names, [this](int i) { return sentences[i]; },
                [this](int i) {
                    ++hashed;
                    return hashes[i];
                }};
    }
};

TEST(LessonMatch, FindsTheLessonByItsSentenceAndRecording) {
    struct Case {
        const char* what;
        LessonRef wanted;
        int expected;
        int maxHashed;
    };
    const auto ref = [](const char* name, const char* sentence, const char* hash) {
        return LessonRef{QString::fromUtf8(name), QStringLiteral("/old"),
                         QString::fromUtf8(sentence), QByteArray(hash)};
    };
    const Case cases[] = {
        {"same name, same lesson", ref("c.txt", "Two.", "h3"), 2, 1},
        {"renamed: found by its hash", ref("gone.txt", "Two.", "h3"), 2, 2},
        {"same name, another recording", ref("b.txt", "Two.", "h3"), 2, 2},
        {"same sentence, no such recording", ref("b.txt", "Two.", "h9"), -1, 2},
        {"recorded without a hash", ref("zzz.txt", "One.", ""), 0, 0},
        {"no sentence", ref("a.txt", "", "h1"), -1, 0},
    };
    for (const Case& c : cases) {
        Listing listing;
        EXPECT_EQ(findLesson(c.wanted, listing.listed()), c.expected) << c.what;
        EXPECT_LE(listing.hashed, c.maxHashed) << c.what;
    }
}

RecordSummary sampleSummary() {
    RecordSummary summary;
    summary.today = {kNow.date(), 4, 30, 40, 18};
    summary.daysInARow = 2;
    for (int i = 29; i >= 0; --i) {
        const bool practised = i % 3 == 0;
        summary.lastDays.push_back({kNow.date().addDays(-i), practised ? 3 : 0,
                                    practised ? 5 + i % 5 : 0, practised ? 10 : 0,
                                    practised ? 5.0 + i : 0.0});
    }
    summary.mostMissed = {
        {QStringLiteral("Shanghai."),
         3,
         {QStringLiteral("I'm from Shanghai."), QStringLiteral("Shanghai is big.")}},
        {QStringLiteral("the"), 1, {QStringLiteral("The dog saw the cat.")}}};
    const auto due = [](const char* name, const char* sentence, int hoursAgo) {
        return DueItem{
            {QString::fromUtf8(name), QStringLiteral("/lessons"), QString::fromUtf8(sentence), "h"},
            kNow.addSecs(-3600 * hoursAgo),
            1,
            QStringLiteral("3/5")};
    };
    summary.due = {due("unit1.txt", "I'm from Shanghai.", 5), due("unit2.txt", "Good morning.", 1)};
    return summary;
}

struct RecordWindowTest : ::testing::Test {
    QWidget owner;
    RecordWindow* window = new RecordWindow(&owner); // the owner deletes it, or closing does

    void SetUp() override {
        window->showSummary(sampleSummary(), kNow);
        window->show();
    }
};

TEST_F(RecordWindowTest, ShowsTheFiguresAndStartsADueSentenceOnDoubleClick) {
    EXPECT_EQ(window->controls().lbToday->text(),
              QStringLiteral("今天：练习 4 句　写对 75%　用时 18 分钟"));
    EXPECT_EQ(window->controls().lbDaysInARow->text(), QStringLiteral("连续练习 2 天"));
    ASSERT_NE(window->controls().chartDays->chart(), nullptr);
    EXPECT_EQ(window->controls().chartDays->chart()->series().size(), 3);

    ASSERT_EQ(window->controls().treeMissed->topLevelItemCount(), 2);
    QTreeWidgetItem* first = window->controls().treeMissed->topLevelItem(0);
    EXPECT_EQ(first->text(0), QStringLiteral("Shanghai."));
    EXPECT_EQ(first->text(1), QStringLiteral("3"));
    ASSERT_EQ(first->childCount(), 2);
    EXPECT_EQ(first->child(1)->text(0), QStringLiteral("Shanghai is big."));

    ASSERT_EQ(window->controls().treeDue->topLevelItemCount(), 2);
    EXPECT_EQ(window->controls().treeDue->topLevelItem(0)->text(2), QStringLiteral("已到期"));
    QString started;
    window->setDueStarter([&](const DueItem& item) { started = item.lesson.recordingName; });
    QTreeWidget* tree = window->controls().treeDue;
    const QRect row = tree->visualItemRect(tree->topLevelItem(1));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(started, QStringLiteral("unit2.txt"));

    // Shown again with fewer due: the rows follow, no stale item is started.
    RecordSummary fewer = sampleSummary();
    fewer.due.resize(1);
    window->showSummary(fewer, kNow);
    EXPECT_EQ(window->controls().treeDue->topLevelItemCount(), 1);
    EXPECT_EQ(window->dueItemAt(1), nullptr);

    // A record with nothing in it (or none at all): no days, no words, nothing due.
    window->showSummary(RecordSummary{}, kNow);
    EXPECT_EQ(window->controls().lbDaysInARow->text(), QStringLiteral("今天还没有练习"));
    EXPECT_EQ(window->controls().treeDue->topLevelItemCount(), 0);
}

TEST_F(RecordWindowTest, EscClosesIt) {
    const QPointer<RecordWindow> watched(window);
    QTest::keyClick(window->controls().treeDue, Qt::Key_Escape);
    HEARVEX_WAIT_FOR(watched.isNull());
}

TEST_F(RecordWindowTest, ExportWritesTheWholeFileOrNothing) {
    QTemporaryDir dir;
    QString asked;
    QString answer = dir.filePath(QStringLiteral("记录"));
    window->setSaveAsker([&](const QString& suggested) {
        asked = suggested;
        return answer;
    });
    bool writerFails = false;
    window->setCsvWriter([&](QIODevice& out) {
        out.write("time,lesson\n");
        return !writerFails;
    });

    window->controls().cmdExport->click();
    EXPECT_TRUE(asked.endsWith(QStringLiteral(".csv")));
    QFile saved(dir.filePath(QStringLiteral("记录.csv"))); // the suffix added
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    // A byte-order mark first: spreadsheet programs read UTF-8 only with one.
    EXPECT_EQ(saved.readAll(), QByteArray("\xEF\xBB\xBFtime,lesson\n"));
    EXPECT_TRUE(window->controls().lbStatus->text().startsWith(QStringLiteral("已导出")));

    writerFails = true;
    answer = dir.filePath(QStringLiteral("failed.csv"));
    window->controls().cmdExport->click();
    EXPECT_FALSE(QFile::exists(answer)); // no half-written file
    EXPECT_TRUE(window->controls().lbStatus->text().startsWith(QStringLiteral("导出失败")));

    answer.clear(); // cancelled: nothing happens
    window->controls().cmdExport->click();
    EXPECT_TRUE(window->controls().lbStatus->text().startsWith(QStringLiteral("导出失败")));
}

TEST_F(RecordWindowTest, KeepsTheFocusAfterItsExportDialogSoEscClosesIt) {
    QTemporaryDir dir;
    owner.show();
    window->setSaveAsker([&](const QString&) {
        // As the dialog closes, the window system activates the main window.
        owner.activateWindow();
        return dir.filePath(QStringLiteral("out.csv"));
    });
    window->setCsvExporter([](const QString& path, std::function<void(const QString&)> done) {
        QFile file(path);
        done(file.open(QIODevice::WriteOnly) ? QString() : file.errorString());
    });
    window->activateWindow();
    window->controls().cmdExport->click();
    EXPECT_TRUE(window->controls().lbStatus->text().startsWith(QStringLiteral("已导出")));
    EXPECT_TRUE(window->controls().cmdExport->isEnabled());
    // A tool window counts as active with its owner: ask for the window itself.
    HEARVEX_WAIT_FOR(QApplication::activeWindow() == window);
    const QPointer<RecordWindow> watched(window);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_Escape);
    HEARVEX_WAIT_FOR(watched.isNull());
}

TEST_F(RecordWindowTest, ShowsWhatComesDueAndALongNoteWholeBesideTheButtons) {
    window->showComingDue({3, 0, 5, 0, 0, 1, 2}, kNow); // kNow is a Monday
    EXPECT_EQ(window->controls().lbComing->text(),
              QStringLiteral("未来 7 天到期：明天 3　周三 0　周四 5　周五 0　周六 0　周日 1　"
                             "周一 2（句）"));
    EXPECT_TRUE(window->controls().lbComing->toolTip().startsWith(
        QStringLiteral("12月8日（明天）：3 句\n12月9日（周三）：0 句")));
    window->showComingDue(std::vector<int>(7, 0), kNow);
    EXPECT_EQ(window->controls().lbComing->text(), QStringLiteral("未来 7 天没有到期的句子"));
    window->showComingDue({}, kNow); // no record could be read
    EXPECT_TRUE(window->controls().lbComing->text().isEmpty());

    // The longest note: a record deep in a home folder, locked, attempts kept.
    const QString note = QStringLiteral(
        "练习记录 /home/a-learner-with-a-long-name/.local/share/hearvex/practice.sqlite3 "
        "正被其他程序占用，暂时无法写入。请关闭正在使用它的程序。已保存 12 "
        "次练习，能写入时自动记下。");
    window->setRecordNote(note);
    const QLabel* status = window->controls().lbStatus;
    EXPECT_LE(status->heightForWidth(status->width()), status->height());
    EXPECT_LE(status->geometry().bottom(), window->height());
    // Nothing of the window stands over it.
    for (const QWidget* other : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != status && other->isVisible()) {
            EXPECT_FALSE(other->geometry().intersects(status->geometry()))
                << other->objectName().toStdString();
        }
    }
}

} // namespace
