// A word of a sentence missed in an attempt, with the kind of the miss as the
// aligned compare named it: "homophone", "function", "spelling"…
#pragma once

#include <QString>

namespace hearvex::record {

struct AttemptMiss {
    QString word;  // as it stands in the sentence
    QString typed; // what was typed in its place; empty when left out
    QString kind;
    bool counted = true; // false for the untyped tail of a sentence left unfinished
};

// The kind of a function word (article, preposition, pronoun…) missed.
inline constexpr char kFunctionWordKind[] = "function";

} // namespace hearvex::record
