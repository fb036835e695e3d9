// hearvex-lesson compare: the aligned compare and its kinds with the
// program's own dictionary, as a learner's sentences and slips give them.
#include "lessons/lesson_tool_run.h"

#include <gtest/gtest.h>

using hearvex::testing::runTool;

namespace {

QStringList tsvLines(const QString& sentence, const QString& typed) {
    const auto run = runTool({QStringLiteral("compare"), QStringLiteral("--tsv"), sentence, typed});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList missLines(const QString& sentence, const QString& typed) {
    QStringList misses;
    for (const QString& line : tsvLines(sentence, typed))
        if (!line.endsWith(QLatin1String("\tright")))
            misses << line;
    return misses;
}

} // namespace

TEST(CompareTool, KindsOfMissWithTheShippedDictionary) {
    struct Case {
        const char* sentence;
        const char* typed;
        QStringList misses; // expected<TAB>typed<TAB>kind
    };
    const Case cases[] = {
        {"There were a lot of books printed in 1455.",
         "Their were alot of book printd in fourteen fifty-five.",
         {"There\tTheir\thomophone", "a lot\talot\tboundary", "books\tbook\tform",
          "printed\tprintd\tspelling", "1455.\tfourteen fifty-five.\tnumber"}},
        {"If the Exhibition opens, I'll hear it.",
         "the exhibition opens I will here it.",
         {"If\t''\tfunction", "Exhibition\texhibition\tcase", "opens,\topens\tpunctuation",
          "I'll\tI will\tcontraction", "hear\there\thomophone"}},
        {"The letterpress children walked to school.",
         "The children walk to to school.",
         {"letterpress\t''\trare", "walked\twalk\tform", "''\tto\textra"}},
        {"She bought 3 new cars on the 21st.",
         "She brought three knew cars in the twenty-first.",
         {"bought\tbrought\tmisheard", "3\tthree\tnumber", "new\tknew\thomophone",
          "on\tin\tfunction", "21st.\ttwenty-first.\tnumber"}},
        // A common misspelling the lemma list keeps is no word; a contraction
        // glossed as an abbreviation is one; times and "a hundred" are numbers.
        {"Whose car costs 100 dollars at 9:30? I receive it.",
         "Who's car costs a hundred dollars at nine thirty? I recieve it.",
         {"Whose\tWho's\thomophone", "100\ta hundred\tnumber", "9:30?\tnine thirty?\tnumber",
          "receive\trecieve\tspelling"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(missLines(QString::fromUtf8(c.sentence), QString::fromUtf8(c.typed)), c.misses)
            << c.sentence;
}

TEST(CompareTool, EveryPairInSentenceOrderAndNoMissWhereThereIsNone) {
    EXPECT_EQ(
        tsvLines(QStringLiteral("We went to the park."), QStringLiteral("We went to the park.")),
        (QStringList{"We\tWe\tright", "went\twent\tright", "to\tto\tright", "the\tthe\tright",
                     "park.\tpark.\tright"}));
    // Full-width marks of an input method are the sentence's own marks.
    EXPECT_TRUE(missLines(QStringLiteral("Yes, it is."), QStringLiteral("Yes，it is。")).isEmpty());
}

TEST(CompareTool, ScoreAndMissesWithoutTsvAndUsage) {
    const auto run = runTool({QStringLiteral("compare"), QStringLiteral("We went to the park."),
                              QStringLiteral("We went the")});
    ASSERT_EQ(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QLatin1String("3/5"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QLatin1String("to -> ''  function")));
    EXPECT_TRUE(lines[2].contains(QLatin1String("park. -> ''  missed")));
    EXPECT_EQ(runTool({QStringLiteral("compare"), QStringLiteral("only one")}).exitCode, 2);
}
