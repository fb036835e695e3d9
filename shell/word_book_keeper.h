// The look-up panel's keep button wired to the practice record's word book:
// the word goes in with the sentence of the lesson being practised, its
// recording, and the word's place in the sentence.
#pragma once

#include "dictionary.h"
#include "practice_recorder.h"
#include "record_window.h"

#include <QDateTime>
#include <QString>

namespace hearvex {

// The offset of word in sentence, as a whole word and whatever its case; -1
// when the sentence does not hold it.
int positionInSentence(const QString& sentence, const QString& word);

// Keeps word in the word book of the recorder's record, with the lesson under
// practice. Returns what to tell the learner when it could not be kept;
// empty when it was.
QString keepInWordBook(const PracticeRecorder& recorder, const QString& word,
                       const QDateTime& now = QDateTime::currentDateTime());

// The record window's 生词本 page: read from the recorder's record when it
// opens, glosses from the dictionary, the kinds of miss by their Chinese names.
void wireWordBookPage(record::RecordWindow& window, const PracticeRecorder& recorder,
                      const words::Dictionary& dictionary);

} // namespace hearvex
