#include "lesson_check.h"

#include "plain_text.h"

#include "lesson_list.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
#include <sys/stat.h>

namespace hearvex::lessons {

namespace {

// What the check finds, in the learner's language where the running program
// has installed a translation.
struct CheckText {
    Q_DECLARE_TR_FUNCTIONS(LessonCheck)
};
QString textProblem(LessonTextStatus status) {
    switch (status) {
    case LessonTextStatus::Read:
        return {};
    case LessonTextStatus::Missing:
        return CheckText::tr("text file missing");
    case LessonTextStatus::Unreadable:
        return CheckText::tr("text file unreadable");
    case LessonTextStatus::TooLarge:
        return CheckText::tr("text file over %1 bytes (the program treats it as empty)")
            .arg(kMaxLessonTextBytes);
    }
    return {};
}

bool isBlank(const QString& line) {
    return line.trimmed().isEmpty();
}
} // namespace

FolderReport checkLessonFolder(const QByteArray& folder, const RecordingProbe& probe) {
    FolderReport report;
    struct stat st {};
    report.folderExists = ::stat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode);
    if (!report.folderExists)
        return report;
    const auto at = [&folder](const QByteArray& name) { return folder + '/' + name; };

    QSet<QByteArray> textsUsed;
    const std::vector<LessonEntry> recordings = listLessonEntries(folder);
    for (std::size_t i = 0; i < recordings.size(); ++i) {
        LessonReport lesson;
        lesson.number = static_cast<int>(i + 1);
        lesson.recording = recordings[i].name;
        lesson.recordingFile = recordings[i].fileName;
        const QByteArray textFile = textFileNameBytes(lesson.recordingFile);
        lesson.textFile = fileNameText(textFile);
        textsUsed.insert(textFile);

        if (probe) {
            const QString problem = probe(at(lesson.recordingFile));
            if (!problem.isEmpty())
                lesson.problems << CheckText::tr("recording: %1").arg(problem);
        }
        if (textFile == lesson.recordingFile) {
            lesson.problems << CheckText::tr("no lower-case \"txt\" in the name, so the text file "
                                             "would be the recording itself");
        } else {
            const LessonText text = readLessonTextFile(at(textFile));
            if (text.status != LessonTextStatus::Read) {
                lesson.problems << textProblem(text.status);
            } else {
                lesson.sentence = text::firstLineOf(text.text);
                if (isBlank(lesson.sentence))
                    lesson.problems << CheckText::tr("the first line of the text is empty");
            }
        }
        report.lessons.push_back(lesson);
    }

    for (const LessonEntry& text : listFolderEntries(folder, ".kvx"))
        if (!textsUsed.contains(text.fileName))
            report.strayTexts << text.name;
    return report;
}

FolderReport checkLessonFolder(const QString& folder, const RecordingProbe& probe) {
    return checkLessonFolder(QFile::encodeName(folder), probe);
}

} // namespace hearvex::lessons
