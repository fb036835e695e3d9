// A look over a lesson folder as the program will see it, for the
// hearvex-lesson tool: each lesson in list order and what is wrong with it.
#pragma once

#include "lesson_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace hearvex::lessons {

struct LessonReport {
    int number = 0;           // 1-based, the list position + 1
    QString recording;        // the listed name
    QString textFile;         // the name of its text file
    QByteArray recordingFile; // the recording's name as the bytes on disk
    QString sentence;         // the exercise sentence, when the text was read
    QStringList problems;     // empty when the lesson is fine
};

struct FolderReport {
    bool folderExists = false;
    std::vector<LessonReport> lessons;
    QStringList strayTexts; // .kvx files no listed recording leads to
};

// What is wrong with a recording (e.g. "not audio: ..."), or an empty text when
// it can be played; path is the bytes of its path. The tool opens it as the
// program does, with the engine.
using RecordingProbe = std::function<QString(const QByteArray& path)>;

// The folder given by the bytes of its path: every lesson, whatever bytes its
// name has (a GBK name from a Windows pack is listed and shown as GBK).
FolderReport checkLessonFolder(const QByteArray& folder, const RecordingProbe& probe);
FolderReport checkLessonFolder(const QString& folder, const RecordingProbe& probe);

} // namespace hearvex::lessons
