// The keys that work while typing, in one table: the key filter acts on it,
// and the help page and the buttons' tooltips name the keys in its words.
#pragma once

#include <QString>
#include <Qt>
#include <span>

namespace hearvex {

enum class PracticeAction {
    PauseResume,    // pause; resume 2 s earlier; after the end, play from the start
    Back,           // 3 s back
    Forward,        // 3 s forward
    Replay,         // the lesson's recording from its start
    Slower,         // 0.1x slower
    Faster,         // 0.1x faster
    FullText,       // the full-text hint on or off
    Check,          // the check (错误记录)
    Compare,        // the aligned compare
    Record,         // the 练习记录 window opened or closed
    NextDue,        // the next sentence due for review started
    NextLesson,     // the lesson below in the library started
    PreviousLesson, // the lesson above in the library started
    FocusLibrary,   // the focus into the library's list, to choose a lesson by keys
    Help,           // the help page opened
    LookUp,         // the look-up panel on the word at the typing caret
    PlayWord,       // the sentence word at the typing caret heard alone
    PlayAround,     // that word with the words before and after it
    Shadow,         // 跟读: the learner records the sentence, compared word by word
};

struct PracticeKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers; // besides the keypad's own
    PracticeAction action;
    const char* keyName;     // UTF-8, as the learner reads it on the keyboard
    const char* description; // UTF-8, Chinese
    bool repeats;            // held down, it acts again

    QString name() const { return QString::fromUtf8(keyName); }
    QString what() const { return QString::fromUtf8(description); }
};

// Every key, in the order the help page lists them.
std::span<const PracticeKey> practiceKeys();

// The entry for a key with its modifiers, or null.
const PracticeKey* practiceKeyFor(int key, Qt::KeyboardModifiers modifiers);

// The first entry of an action (for a tooltip naming its key), or null.
const PracticeKey* practiceKeyOf(PracticeAction action);

} // namespace hearvex
