// The kind of each miss of the aligned compare: what went wrong between a
// sentence's words and the words typed in their place. The kinds are tried in
// the order of the enum, so a pair is what it is first found to be: a capital
// letter left out is a matter of case before it is a spelling slip.
#pragma once

#include "word_facts.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace hearvex::exercise {

enum class MissKind {
    Right,       // the same word
    Case,        // only capitals differ
    Punctuation, // only marks differ: "dont" for "don't", "Paris" for "Paris,"
    Boundary,    // one word written as two or two as one: "alot", "some one"
    Contraction, // "it is" for "it's", "can't" for "cannot"
    Number,      // "1455" and "fourteen fifty-five", "3" and "three"
    Homophone,   // another real word that sounds the same: "their" for "there"
    Form,        // another form of the same lemma: "walked" for "walk"
    Spelling,    // no dictionary word, a slip or two from the right one
    Function,    // an article, preposition, pronoun, auxiliary or conjunction left out or swapped
    Rare,        // a word beyond the 10,000 most frequent lemmas, missed or misheard
    Missed,      // left out
    Misheard,    // another word in its place
    Extra,       // typed with nothing of the sentence as its partner
};

// The English name the lesson tool and the record write: "case", "boundary"…
QString missKindName(MissKind kind);
// The kind of an English name; nothing for an unknown one.
std::optional<MissKind> missKindNamed(const QString& name);
// The learner's name of a kind: 大小写, 标点, 连写/分写…
QString missKindLabel(MissKind kind);

// A word as the kinds compare it: lower case, without the marks around it.
QString bareWord(const QString& word);

// Edits from one word to another (insert, delete, replace, or swap two
// neighbours, each counting one).
int editDistance(const QString& a, const QString& b);

// The kind of a pair: the sentence's words and the typed words put in their
// place, either side one word or several. An empty side is a word left out
// (typed empty) or added (expected empty). Several words on a side are only a
// boundary, contraction or number; anything else returns nothing.
std::optional<MissKind> classifyPair(const QStringList& expected, const QStringList& typed,
                                     const WordFacts& facts);

} // namespace hearvex::exercise
