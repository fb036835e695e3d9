// Where CMU Sphinx's US-English model lives, for the aligner and the decoder
// it drives.
#pragma once

#include <QString>

namespace hearvex::lessons {

// Where the model lives; Debian's pocketsphinx-en-us by default.
struct SpeechModelPaths {
    QString acousticModel; // folder with mdef, means, feat.params...
    QString dictionary;    // CMU Pronouncing Dictionary in Sphinx's form
    QString phoneModel;    // phone n-gram for the unconstrained loop
    static SpeechModelPaths installed();
};

} // namespace hearvex::lessons
