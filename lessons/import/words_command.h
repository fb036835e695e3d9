// hearvex-lesson words LESSON.txt: the word times of a lesson, one word a line.
// hearvex-lesson import --words-only FOLDER: word times for the lessons of a
// folder that have none (imported before lessons had them).
#pragma once

#include "cue_words.h"

#include <QByteArray>
#include <QList>

namespace hearvex::lessons {

// Prints the lesson's NAME.words lines as "start<TAB>end<TAB>confidence<TAB>word".
// Exit status: 0 printed, 1 the lesson has no word times or they cannot be read,
// 2 a usage error.
int runWords(const QList<QByteArray>& args);

// Aligns each lesson of folder that has no NAME.words (its sentence, the
// first line of its text, in its whole recording) and writes the file;
// reports each lesson. Exit status: 0 all done, 1 no such folder,
// 4 some lessons could not be aligned (the others keep their new word times).
int runWordsOnly(const QByteArray& folder, const WordFinder& findWords);

} // namespace hearvex::lessons
