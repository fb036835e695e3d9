// A written sentence as the words a reader says: numbers (as text/ spells
// them), money, per cent and common abbreviations spelled out ("1455" ->
// fourteen fifty-five, "Dr." -> doctor), each spoken word knowing the written word it came from, so
// times can be given per written word. No I/O.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::lessons {

struct SpokenWord {
    QString text;    // lower case, letters and apostrophes only
    int written = 0; // index into SpokenSentence::written
};

struct SpokenSentence {
    QStringList written;            // the sentence split at white space, as written
    std::vector<SpokenWord> spoken; // in order
};

SpokenSentence spokenWords(const QString& sentence);

} // namespace hearvex::lessons
