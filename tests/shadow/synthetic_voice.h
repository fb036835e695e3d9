// Sentences spoken by eSpeak NG in a chosen voice and speed, as takes of
// learners who sound unlike the model; 16 kHz mono.
#pragma once

#include <QString>
#include <vector>

namespace hearvex::testing {

// voice: an eSpeak NG voice name with an optional variant ("en-us+f3");
// wordsPerMinute 80..450. Empty when eSpeak NG cannot speak. eSpeak NG
// carries some state from one sentence to the next (and cannot be restarted
// in a process): the same sentences in the same order sound the same.
std::vector<float> speakSentence(const QString& sentence, const QString& voice, int wordsPerMinute);

} // namespace hearvex::testing
