// Which words of the sentence the word keys play: the word at the typing
// caret, found through the aligned compare, and its times in the lesson's
// recording.
#pragma once

#include "word_times.h"

#include <QString>
#include <QStringList>

namespace hearvex {

// The index of the sentence word the caret stands at: the typed word there
// (or just before it) paired with a sentence word by the aligned compare; a
// typed word with no pair, or a caret past every typed word, means the first
// sentence word missed after the last pair before the caret (the word the
// learner is stuck on). -1 when the sentence has no words. typed reads line
// breaks as CR LF, as the typing box gives it; caret is an offset in it.
int sentenceWordAtCaret(const QString& sentence, const QString& typed, int caret);

// The sentence's words as the compare splits them.
QStringList sentenceWords(const QString& sentence);

struct TimedSpan {
    int first = -1; // indices into the word times; -1 when the word has none
    int last = -1;
    bool isEmpty() const { return first < 0; }
};

// The word times of sentence word index: the same index when the times hold
// a word for each sentence word, else the sentence's words matched to the
// times' in order (case and outer marks aside). With around, the word before
// and the word after are taken in too, where there are such.
TimedSpan timedSpanOf(const QStringList& words, const lessons::WordTimes& times, int index,
                      bool around);

// The first timed word that is the given word (case and outer marks aside), or -1.
int timedIndexOfWord(const lessons::WordTimes& times, const QString& word);

} // namespace hearvex
