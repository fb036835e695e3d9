// Which word a learner means: the word under a position of a text, and the
// spellings to try in the dictionary for a word as it stands in a sentence.
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex::words {

struct TextWord {
    int start = -1; // first character in the text; -1 when no word is there
    int length = 0;
    QString text; // the word with its surrounding punctuation stripped
};

// The word that holds the character at position, or ends just before it or
// before the marks that follow it (a caret right after "ran," means "ran"). Words are runs of
// letters and digits with the apostrophes, hyphens and dots inside them.
TextWord wordAt(const QString& text, int position);

// The spellings to look up for a word of a sentence, best first: curly
// apostrophes read as straight ones; the word without its outer punctuation,
// then with a final dot kept, then without a possessive 's or s'. No
// duplicates; empty when nothing of a word is left.
QStringList lookupCandidates(const QString& word);

} // namespace hearvex::words
