#include "lesson_check.h"

#include "plain_text.h"

#include "lesson_list.h"

#include <QDir>
#include <QSet>

namespace hearvex::lessons {

namespace {
QString textProblem(LessonTextStatus status) {
    switch (status) {
    case LessonTextStatus::Read:
        return {};
    case LessonTextStatus::Missing:
        return QStringLiteral("text file missing");
    case LessonTextStatus::Unreadable:
        return QStringLiteral("text file unreadable");
    case LessonTextStatus::TooLarge:
        return QStringLiteral("text file over %1 bytes (the program treats it as empty)")
            .arg(kMaxLessonTextBytes);
    }
    return {};
}

bool isBlank(const QString& line) {
    return line.trimmed().isEmpty();
}
} // namespace

FolderReport checkLessonFolder(const QString& folder, const RecordingProbe& probe) {
    FolderReport report;
    const QDir dir(folder);
    report.folderExists = dir.exists();
    if (!report.folderExists)
        return report;

    QSet<QString> textsUsed;
    const QStringList recordings = listLessons(folder);
    for (qsizetype i = 0; i < recordings.size(); ++i) {
        LessonReport lesson;
        lesson.number = static_cast<int>(i + 1);
        lesson.recording = recordings.at(i);
        lesson.textFile = textFileName(lesson.recording);
        textsUsed.insert(lesson.textFile);

        if (probe) {
            const QString problem = probe(dir.filePath(lesson.recording));
            if (!problem.isEmpty())
                lesson.problems << QStringLiteral("recording: %1").arg(problem);
        }
        if (lesson.textFile == lesson.recording) {
            lesson.problems << QStringLiteral("no lower-case \"txt\" in the name, so the text file "
                                              "would be the recording itself");
        } else {
            const LessonText text = readLessonText(dir.filePath(lesson.textFile));
            if (text.status != LessonTextStatus::Read) {
                lesson.problems << textProblem(text.status);
            } else {
                lesson.sentence = text::firstLineOf(text.text);
                if (isBlank(lesson.sentence))
                    lesson.problems << QStringLiteral("the first line of the text is empty");
            }
        }
        report.lessons.push_back(lesson);
    }

    const QStringList texts = dir.entryList({QStringLiteral("*.kvx")}, QDir::Files, QDir::Name);
    for (const QString& text : texts)
        if (!textsUsed.contains(text))
            report.strayTexts << text;
    return report;
}

} // namespace hearvex::lessons
