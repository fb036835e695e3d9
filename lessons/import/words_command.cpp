#include "words_command.h"

#include "import_text.h"
#include "lesson_file.h"
#include "lesson_list.h"
#include "lesson_set.h"
#include "pause_cut.h"
#include "plain_text.h"
#include "word_times.h"

#include <QStringList>
#include <cstdio>
#include <sys/stat.h>

namespace hearvex::lessons {

namespace {

void say(FILE* to, const QString& text) {
    const QByteArray line = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), to);
}

bool isFolder(const QByteArray& path) {
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

enum class LessonWords { Written, Uncertain, Present, Failed };

struct WordsOutcome {
    LessonWords kind = LessonWords::Failed;
    QString detail; // why it failed, or how many words
};

// The sentence a lesson's words are aligned to; empty with why when none.
QString sentenceOf(const QByteArray& textPath, QString* why) {
    const LessonText text = readLessonTextFile(textPath);
    if (text.status != LessonTextStatus::Read) {
        *why = text.status == LessonTextStatus::Missing ? ImportText::tr("it has no lesson text")
                                                        : ImportText::tr("its text cannot be read");
        return {};
    }
    const QString sentence = text::firstLineOf(text.text).trimmed();
    if (sentence.isEmpty())
        *why = ImportText::tr("its sentence is empty");
    return sentence;
}

WordsOutcome addWords(const QByteArray& folder, const QByteArray& recording,
                      const WordFinder& findWords) {
    const QByteArray sidecar = folder + '/' + wordTimesFileName(recording);
    const WordTimesFile present = readWordTimes(sidecar);
    if (present.status == WordTimesStatus::Unreadable)
        return {LessonWords::Failed, ImportText::tr("its word times cannot be read")};
    if (!present.words.empty())
        return {LessonWords::Present, {}};
    QString why;
    const QString sentence = sentenceOf(folder + '/' + textFileNameBytes(recording), &why);
    if (sentence.isEmpty())
        return {LessonWords::Failed, why};
    const WordSearchResult found =
        findWords(folder + '/' + recording, {{sentence, 0, kOpenEnd}}, {});
    if (!found.error.isEmpty())
        return {LessonWords::Failed, found.error};
    if (found.found.empty() || !found.found.front().matched)
        return {LessonWords::Failed, ImportText::tr("its sentence was not heard in its recording")};
    const WordTimes& words = found.found.front().words;
    if (!writeWordTimes(sidecar, words, &why))
        return {LessonWords::Failed,
                ImportText::tr("cannot write %1: %2").arg(fileNameText(sidecar), why)};
    return {alignmentUncertain(words) ? LessonWords::Uncertain : LessonWords::Written,
            QString::number(words.size())};
}

QString outcomeLine(const QString& lesson, const WordsOutcome& outcome) {
    switch (outcome.kind) {
    case LessonWords::Written:
        return ImportText::tr("%1: %2 words timed").arg(lesson, outcome.detail);
    case LessonWords::Uncertain:
        return ImportText::tr("%1: %2 words timed; alignment uncertain")
            .arg(lesson, outcome.detail);
    case LessonWords::Present:
        return ImportText::tr("%1: has word times already").arg(lesson);
    case LessonWords::Failed:
        break;
    }
    return ImportText::tr("%1: not aligned: %2").arg(lesson, outcome.detail);
}

} // namespace

int runWords(const QList<QByteArray>& args) {
    if (args.size() != 1 || args.at(0).isEmpty()) {
        say(stderr, ImportText::tr("usage: hearvex-lesson words LESSON.txt"));
        return 2;
    }
    const QByteArray sidecar = wordTimesFileName(args.at(0));
    const WordTimesFile read = readWordTimes(sidecar);
    if (read.status == WordTimesStatus::Unreadable) {
        say(stderr,
            ImportText::tr("hearvex-lesson words: %1 cannot be read").arg(fileNameText(sidecar)));
        return 1;
    }
    for (int line : read.skippedLines)
        say(stderr, ImportText::tr("hearvex-lesson words: warning: %1:%2 is no word's time; "
                                   "skipped")
                        .arg(fileNameText(sidecar))
                        .arg(line));
    if (read.words.empty()) {
        say(stderr, ImportText::tr("hearvex-lesson words: %1 has no word times (no %2)")
                        .arg(fileNameText(args.at(0)), fileNameText(sidecar)));
        return 1;
    }
    const QByteArray lines = formatWordTimes(read.words);
    std::fwrite(lines.constData(), 1, size_t(lines.size()), stdout);
    return 0;
}

int runWordsOnly(const QByteArray& folder, const WordFinder& findWords) {
    if (!isFolder(folder)) {
        say(stderr,
            ImportText::tr("hearvex-lesson import: %1: no such folder").arg(fileNameText(folder)));
        return 1;
    }
    for (const QString& problem : recoverInterruptedImports(folder))
        say(stderr, ImportText::tr("hearvex-lesson import: warning: %1").arg(problem));
    int counts[4] = {0, 0, 0, 0};
    for (const LessonEntry& entry : listLessonEntries(folder)) {
        const WordsOutcome outcome = addWords(folder, entry.fileName, findWords);
        ++counts[int(outcome.kind)];
        say(outcome.kind == LessonWords::Failed ? stderr : stdout,
            outcomeLine(entry.name, outcome));
    }
    const int failed = counts[int(LessonWords::Failed)];
    say(stdout, ImportText::tr("%1 lessons given word times (%2 uncertain), %3 had them "
                               "already, %4 not aligned")
                    .arg(counts[int(LessonWords::Written)] + counts[int(LessonWords::Uncertain)])
                    .arg(counts[int(LessonWords::Uncertain)])
                    .arg(counts[int(LessonWords::Present)])
                    .arg(failed));
    return failed > 0 ? 4 : 0;
}

} // namespace hearvex::lessons
