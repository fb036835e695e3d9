#include "take_store.h"
#include "test_signals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace hearvex::shadow;
using hearvex::testing::makeSignal;
using hearvex::testing::Piece;

const QDateTime kMorning(QDate(2026, 12, 7), QTime(9, 30, 5, 250));

TEST(TakeStore, WritesATakeThatReadsBackAsRecorded) {
    QTemporaryDir dir;
    const TakeStore store(dir.path() + QLatin1String("/takes")); // made when missing
    const std::vector<float> take = makeSignal({{Piece::Voice, 1.0, -12, 200}});
    QString error;
    const QString path = store.save({"lesson07.txt", "Good morning."}, take, kMorning, &error);
    ASSERT_FALSE(path.isEmpty()) << error.toStdString();
    EXPECT_TRUE(path.endsWith(".flac"));
    EXPECT_EQ(takeTime(path), kMorning);
    int rate = 0;
    const std::vector<float> back = readSoundFile(path, &rate, &error);
    EXPECT_EQ(rate, kTakeRate);
    ASSERT_EQ(back.size(), take.size());
    for (size_t i = 0; i < take.size(); i += 97)
        ASSERT_NEAR(back[i], take[i], 1.0 / 16384) << i;
    EXPECT_FALSE(QFile::exists(path + ".part"));
}

TEST(TakeStore, KeepsTheLastTwentyOfEachSentence) {
    QTemporaryDir dir;
    const TakeStore store(dir.path());
    const TakeOwner first{"lesson07.txt", "Good morning."};
    const TakeOwner second{"lesson07.txt", "Good night."};
    const std::vector<float> take = makeSignal({{Piece::Voice, 0.05}});
    QString error;
    for (int i = 0; i < 25; ++i)
        ASSERT_FALSE(store.save(first, take, kMorning.addSecs(i), &error).isEmpty());
    ASSERT_FALSE(store.save(second, take, kMorning, &error).isEmpty());

    const QStringList kept = store.takesOf(first);
    ASSERT_EQ(kept.size(), kKeptPerSentence);
    EXPECT_EQ(takeTime(kept.front()), kMorning.addSecs(24)); // newest first
    EXPECT_EQ(takeTime(kept.back()), kMorning.addSecs(5));
    EXPECT_EQ(store.takesOf(second).size(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), kKeptPerSentence + 1);
}

TEST(TakeStore, NamesSayTheLessonAndKeepSentencesApart) {
    struct Case {
        TakeOwner owner;
        const char* stemStart;
    };
    const Case cases[] = {
        {{"lesson07.txt", "Good morning."}, "lesson07_"},
        {{"第七课.mp3", "Good morning."}, "第七课_"},
        {{"a b/c?.txt", "Good morning."}, "a_b_c_"},
        {{"", "Good morning."}, "take_"},
    };
    for (const Case& c : cases) {
        const QString stem = takeStem(c.owner);
        EXPECT_TRUE(stem.startsWith(QString::fromUtf8(c.stemStart))) << stem.toStdString();
        EXPECT_FALSE(stem.contains('/'));
    }
    EXPECT_NE(takeStem({"l.txt", "One."}), takeStem({"l.txt", "Two."}));
    EXPECT_EQ(takeStem({"l.txt", "One."}), takeStem({"l.txt", " One. "}));
}

TEST(TakeStore, OtherFilesInTheFolderAreNotTakes) {
    QTemporaryDir dir;
    const TakeStore store(dir.path());
    const TakeOwner owner{"l.txt", "One."};
    QFile stray(dir.path() + "/" + takeStem(owner) + "_notatime.flac");
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    EXPECT_TRUE(store.takesOf(owner).isEmpty());
    EXPECT_FALSE(takeTime(stray.fileName()).isValid());
}

TEST(TakeStore, ReportsWhatCannotBeReadOrWritten) {
    QTemporaryDir dir;
    QString error;
    int rate = 0;
    EXPECT_TRUE(readSoundFile(dir.path() + "/none.flac", &rate, &error).empty());
    EXPECT_FALSE(error.isEmpty());
    QFile text(dir.path() + "/text.flac");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a recording at all");
    text.close();
    error.clear();
    EXPECT_TRUE(readSoundFile(text.fileName(), &rate, &error).empty());
    EXPECT_FALSE(error.isEmpty());

    QFile blocker(dir.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const TakeStore store(dir.path() + "/file/takes"); // a file where the folder should be
    error.clear();
    EXPECT_TRUE(store.save({"l.txt", "One."}, makeSignal({{Piece::Voice, 0.1}}), kMorning, &error)
                    .isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
