// A look over a lesson folder as the program will see it, for the
// hearvex-lesson tool: each lesson in list order and what is wrong with it.
#pragma once

#include "lesson_file.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace hearvex::lessons {

struct LessonReport {
    int number = 0;       // 1-based, the list position + 1
    QString recording;    // the listed name
    QString textFile;     // the name of its text file
    QString sentence;     // the exercise sentence, when the text was read
    QStringList problems; // empty when the lesson is fine
};

struct FolderReport {
    bool folderExists = false;
    std::vector<LessonReport> lessons;
    QStringList strayTexts; // .kvx files no listed recording leads to
};

// What is wrong with a recording (e.g. "not audio: ..."), or an empty text when
// it can be played. The tool probes with the decoder the engine uses.
using RecordingProbe = std::function<QString(const QString& path)>;

FolderReport checkLessonFolder(const QString& folder, const RecordingProbe& probe);

} // namespace hearvex::lessons
