// hearvex-lesson lookup, run as the tool runs it, over the shipped dictionary.
#include "lookup_command.h"
#include "lookup_text.h"

#include <gtest/gtest.h>

using namespace hearvex::words;

namespace {

QString readBack(FILE* file) {
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, qsizetype(n));
    std::fclose(file);
    return QString::fromUtf8(bytes);
}

struct ToolRun {
    int status = -1;
    QStringList out;
    QString err;
};

ToolRun lookup(const QList<QByteArray>& args,
               const QString& path = Dictionary::defaultPath(HEARVEX_DATA_DIR)) {
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    ToolRun run;
    run.status = runLookupCommand(args, path, out, err);
    run.out = readBack(out).split('\n', Qt::SkipEmptyParts);
    run.err = readBack(err);
    return run;
}

} // namespace

TEST(LookupCommand, TsvForCommonRareAndUnknownWords) {
    const ToolRun run = lookup({"--tsv", "ran", "Serendipity", "blorptastic"});
    EXPECT_EQ(run.status, 1); // one word was not found
    ASSERT_EQ(run.out.size(), 3);
    const QStringList ran = run.out[0].split('\t');
    ASSERT_EQ(ran.size(), 5);
    EXPECT_EQ(ran.mid(0, 4), QStringList({"ran", "run", "ɹæn", "1"}));
    // The word's gloss, then the lemma's.
    EXPECT_TRUE(ran[4].startsWith(QStringLiteral("run的过去式 | "))) << ran[4].toStdString();
    EXPECT_TRUE(ran[4].contains(QStringLiteral("跑")));
    const QStringList rare = run.out[1].split('\t');
    ASSERT_EQ(rare.size(), 5);
    EXPECT_EQ(rare.mid(0, 4), QStringList({"Serendipity", "serendipity", "ˌsɛɹənˈdɪpɪti", "5"}));
    EXPECT_FALSE(rare[4].contains(QStringLiteral(" | "))); // its own lemma: glosses once
    const QStringList unknown = run.out[2].split('\t');
    ASSERT_EQ(unknown.size(), 5);
    EXPECT_EQ(unknown[0], "blorptastic");
    EXPECT_FALSE(unknown[2].isEmpty()); // eSpeak NG's pronunciation
    EXPECT_EQ(unknown[3], "5");
    EXPECT_TRUE(unknown[4].isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("\"blorptastic\""))) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("ran")));
}

TEST(LookupCommand, ReportWithoutTsv) {
    const ToolRun run = lookup({"children"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.isEmpty());
    ASSERT_GE(run.out.size(), 3);
    EXPECT_EQ(run.out[0], QStringLiteral("children → child  /ˈtʃɪldɹən/  band 1"));
    EXPECT_EQ(run.out[1], QStringLiteral("  forms: children"));
    EXPECT_TRUE(run.out.last().startsWith(QStringLiteral("  child: ")));
}

TEST(LookupCommand, WrongCommandLinesAndAMissingDictionary) {
    struct Case {
        QList<QByteArray> args;
        QString path;
        int status;
        const char* message;
    } cases[] = {
        {{}, {}, 2, "usage"},
        {{"--tsv"}, {}, 2, "usage"},
        {{"--dict", "run"}, {}, 2, "usage"},
        {{"run"}, QStringLiteral("/nonexistent/words.dict"), 1, "/nonexistent/words.dict"},
        {{"run"}, QStringLiteral(HEARVEX_DATA_DIR "/word1.txt"), 1, "not a dictionary"},
    };
    for (const Case& c : cases) {
        const ToolRun run =
            lookup(c.args, c.path.isEmpty() ? Dictionary::defaultPath(HEARVEX_DATA_DIR) : c.path);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_TRUE(run.out.isEmpty()) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
}

TEST(LookupText, FieldsHoldNoTabsAndGlossesJoinOnce) {
    WordEntry entry;
    entry.word = "Went";
    entry.lemma = "go";
    entry.ipa = "wɛnt";
    entry.band = 1;
    entry.glosses = {"go的过去式"};
    entry.lemmaGlosses = {"v. 去\t走", "n. 尝试"};
    EXPECT_EQ(lookupTsvLine(QStringLiteral("Went,"), entry),
              QStringLiteral("Went,\tgo\twɛnt\t1\tgo的过去式 | v. 去 走 | n. 尝试"));
    entry.lemma = "went"; // its own lemma, whatever the case: the lemma's glosses are its own
    EXPECT_EQ(joinedGlosses(entry), QStringLiteral("go的过去式"));
}
