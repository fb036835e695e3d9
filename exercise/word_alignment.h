// The aligned compare: the sentence's words and the typed words paired by a
// longest common subsequence (a word-level diff), so that a word left out or
// added costs only itself, where the positional check shifts every word after it.
#pragma once

#include <QString>
#include <vector>

namespace hearvex::exercise {

// A text as the compare reads it, with the offset in the original text of
// each of its characters. An input method writes sentence marks full-width:
// ，。！？：； read as the ASCII mark and a space; ‘’“”（） as ' ' " " ( ).
// Line breaks and the full-width space read as a space.
struct CompareText {
    QString text;
    std::vector<int> source; // source[i]: offset in the original of text[i]
};
CompareText compareText(const QString& original);

struct AlignedWord {
    QString text;   // the word as it stands in the original text
    int start = 0;  // offset of its first character in the original text
    int length = 0; // characters it spans in the original text
    bool matched = false;
};

struct WordAlignment {
    // Every word of each text in order, split on spaces as the check splits
    // them; matched words pair up in the same order in both lists.
    std::vector<AlignedWord> sentence;
    std::vector<AlignedWord> typed;
    // Too many words together to align in reasonable time and memory: nothing matched.
    bool tooLong = false;

    int matchedCount() const;
    // The sentence's words that found no typed word, as they stand in it.
    std::vector<QString> missedWords() const;
};

// Sentence words times typed words beyond which the texts are not aligned
// (one bit of memory and a few steps each).
inline constexpr long long kMaxAlignmentCells = 16'000'000;

// Words compare exactly, case included, after compareText. Among equally long
// alignments the earliest typed words are kept.
WordAlignment alignWords(const QString& sentence, const QString& typed);

} // namespace hearvex::exercise
