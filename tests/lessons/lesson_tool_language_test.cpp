// hearvex-lesson speaks the learner's language: Chinese where the locale's
// language is Chinese, English otherwise, the locale read as everywhere
// (LC_ALL, then LC_MESSAGES, then LANG).
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args, const QStringList& locale) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    for (const QString& setting : locale)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(HEARVEX_LESSON_TOOL), args);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return {};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

struct LanguageCase {
    const char* name;
    QStringList locale;
    bool chinese;
};

class LessonToolLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LessonToolLanguage, UsageAndErrorsFollowTheLocale) {
    const LanguageCase& c = GetParam();

    const ToolRun help = runTool({QStringLiteral("--help")}, c.locale);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(
        help.out.startsWith(c.chinese ? QStringLiteral("用法：") : QStringLiteral("usage:")))
        << help.out.toStdString();

    const ToolRun wrong = runTool({QStringLiteral("no-such-command")}, c.locale);
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.err, help.out); // the same text, on standard error
    EXPECT_TRUE(wrong.out.isEmpty());

    const ToolRun missing =
        runTool({QStringLiteral("decode"), QStringLiteral("/nonexistent/x.kvx")}, c.locale);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.trimmed(),
              c.chinese ? QStringLiteral("hearvex-lesson：找不到文件 /nonexistent/x.kvx")
                        : QStringLiteral("hearvex-lesson: /nonexistent/x.kvx: no such file"));

    // The import's and the record's messages come from their own libraries.
    const ToolRun import =
        runTool({QStringLiteral("import"), QStringLiteral("/nonexistent/talk.mp4"),
                 QStringLiteral("/nonexistent/talk.srt")},
                c.locale);
    EXPECT_EQ(import.exitCode, 1);
    EXPECT_EQ(import.err.trimmed(),
              c.chinese
                  ? QStringLiteral("hearvex-lesson import：找不到文件 /nonexistent/talk.mp4")
                  : QStringLiteral("hearvex-lesson import: /nonexistent/talk.mp4: no such file"));
    const ToolRun record = runTool({QStringLiteral("record"), QStringLiteral("--db"),
                                    QStringLiteral("/nonexistent/practice.sqlite3")},
                                   c.locale);
    EXPECT_EQ(record.exitCode, 1);
    EXPECT_EQ(
        record.err.trimmed(),
        c.chinese
            ? QStringLiteral("hearvex-lesson：/nonexistent/practice.sqlite3：没有练习记录")
            : QStringLiteral("hearvex-lesson: /nonexistent/practice.sqlite3: no practice record"));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LessonToolLanguage,
    ::testing::Values(
        LanguageCase{"Chinese", {QStringLiteral("LANG=zh_CN.UTF-8")}, true},
        LanguageCase{"AmericanEnglish", {QStringLiteral("LANG=en_US.UTF-8")}, false},
        LanguageCase{"C", {QStringLiteral("LANG=C")}, false}, LanguageCase{"Unset", {}, false},
        LanguageCase{"LcAllBeforeLang",
                     {QStringLiteral("LANG=en_US.UTF-8"), QStringLiteral("LC_ALL=zh_CN.UTF-8")},
                     true},
        LanguageCase{"LcMessagesBeforeLang",
                     {QStringLiteral("LANG=zh_CN.UTF-8"), QStringLiteral("LC_MESSAGES=C")},
                     false}),
    [](const ::testing::TestParamInfo<LanguageCase>& param) { return param.param.name; });

} // namespace
