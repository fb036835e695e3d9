// The dictation rules that need no window: masking the sentence, taking the
// sentence from a lesson text, and walking the typed words against it.
#pragma once

#include <QString>
#include <vector>

namespace hearvex::exercise {

// Every 'a'..'z' and 'A'..'Z' becomes '*'; everything else (digits, spaces,
// punctuation, line breaks, Chinese) stays, so positions line up with the input.
QString maskLetters(const QString& text);

// The exercise sentence: the lesson text's first line (up to any line break).
QString sentenceOf(const QString& lessonText);

// A lesson text of nothing but spaces (or nothing) starts no exercise.
bool isBlankLesson(const QString& lessonText);

// One answer slot the check compared with a typed word.
struct CheckedSlot {
    int offset = 0; // of the slot's first character in the sentence, from 0
    QString word;   // the sentence's word in that slot
    bool matched = false;
};

// The check's walk. Words are separated by spaces only; a line break in the
// typed text counts as a space. The k-th non-empty typed word is compared,
// character for character and with case, with the k-th slot of the sentence;
// an empty slot (two spaces in a row in the sentence) uses up a typed word
// without comparing it. Returns the compared slots in order; extra typed words
// are ignored and slots beyond the typed words are not listed.
std::vector<CheckedSlot> checkWords(const QString& typedText, const QString& answerText);

// A word of the sentence and where it stands, as the check's slots cut it.
struct SentenceSlot {
    int offset = 0;
    QString word;
};

// The sentence's non-empty slots in order: its words between single spaces.
std::vector<SentenceSlot> sentenceSlots(const QString& answerText);

} // namespace hearvex::exercise
