// Looking a word up: its lemma and forms, its pronunciation, how common it is
// and its Chinese glosses, from the dictionary shipped beside the program
// (ECDICT's glosses and lemma list, the CMU Pronouncing Dictionary). The file
// is read a block at a time, never loaded whole. Read-only once open: any
// thread may look up at the same time.
#pragma once

#include "dictionary_file.h"

#include <QString>
#include <QStringList>

namespace hearvex::words {

struct WordEntry {
    bool found = false;       // the dictionary knows the word
    QString word;             // as the dictionary spells it, else as asked
    QString lemma;            // "run" for "ran"; the word itself when it is its own lemma
    QStringList forms;        // the lemma's other forms ("ran", "running", "runs")
    QString ipa;              // US pronunciation, IPA without slashes; empty when unknown
    int rank = 0;             // the lemma's place in the frequency list, 0 when unlisted
    int band = 5;             // 1 (among the 2,000 most frequent lemmas) .. 5 (rarer)
    QStringList glosses;      // the word's own Chinese glosses
    QStringList lemmaGlosses; // the lemma's, when the lemma is another word
};

class Dictionary {
public:
    // Where the program keeps it: dictionary/words.dict in its own directory.
    static QString defaultPath(const QString& programDir);

    // False, with a message in *error, when the file is missing or damaged.
    bool open(const QString& path, QString* error);
    bool isOpen() const { return m_file.isOpen(); }
    int wordCount() const { return m_file.recordCount(); }
    qint64 sizeBytes() const { return m_file.sizeBytes(); }

    // Everything about a word as it stands in a sentence ("Ran," finds "ran");
    // a word the CMU dictionary lacks is pronounced by eSpeak NG.
    WordEntry lookup(const QString& word) const;
    bool isWord(const QString& word) const;
    // The lemma, lower-case as the lemma list has it; the word itself
    // (without its punctuation) when it has none.
    QString lemmaOf(const QString& word) const;
    int band(const QString& word) const;

private:
    // The record that best fits a spelling: the same case, else lower case, else any.
    bool findRecord(const QString& word, DictionaryRecord* record) const;

    DictionaryFile m_file;
};

} // namespace hearvex::words
