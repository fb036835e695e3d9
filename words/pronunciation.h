// A word's pronunciation as IPA (US English): the CMU Pronouncing
// Dictionary's ARPAbet turned into IPA, or eSpeak NG's own for words the
// dictionary lacks.
#pragma once

#include "sound_clip.h"

#include <QString>

namespace hearvex::words {

// "R AE1 N" -> "ɹæn", "AH0 B AW1 T" -> "əˈbaʊt". Stress marks stand before the
// stressed syllable (its onset), none in a word of one syllable; AH and ER
// read as ʌ and ɝ under stress and as ə and ɚ without it. Empty when a phone
// is not ARPAbet.
QString arpabetToIpa(const QString& arpabet);

// eSpeak NG's IPA for a word (its US-English voice); empty when eSpeak cannot
// start. eSpeak's state is the process's: calls are serialised.
QString espeakIpa(const QString& word);

// eSpeak NG's US-English voice saying a word, for a word the lesson's
// recording does not time; empty when eSpeak cannot start.
SoundClip speakWord(const QString& word);

} // namespace hearvex::words
