// The word book (生词本): words the learner keeps from the look-up panel, each
// with the sentence, lesson and place it was met in, kept in the practice
// record's file in a table of its own. With each word the record tells how
// often it was missed and the kinds of those misses.
//
// The book opens its own connection to the record, which must already exist
// (the program makes it at start): a file it does not know is never written.
#pragma once

#include "practice_types.h"

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;

namespace hearvex::record {

// One keeping of a word: where the learner met it.
struct KeptWord {
    QString word;     // as it stands in the sentence
    LessonRef lesson; // its recording and sentence
    int position = 0; // offset of the word in the sentence
    QDateTime time;   // when it was kept
};

// A word of the book with all it was kept with.
struct WordBookWord {
    QString word;                 // lower case, without the marks around it
    std::vector<KeptWord> kept;   // oldest first
    int timesMissed = 0;          // in the sittings of the record, counted as 常错的词 are
    std::vector<KindCount> kinds; // of those misses, most frequent first
};

class WordBook {
public:
    // Null, with a reason, when the record is missing, not a record, or cannot be read.
    static std::unique_ptr<WordBook> open(const QString& recordPath, QString* reason);
    ~WordBook();
    WordBook(const WordBook&) = delete;
    WordBook& operator=(const WordBook&) = delete;

    // Keeps a word; the same word, sentence and place is kept once. False,
    // with lastError, when it could not be written.
    bool keep(const KeptWord& word);
    // Every word of the book, the most recently kept first.
    std::vector<WordBookWord> words() const;
    QString lastError() const { return m_lastError; }

private:
    explicit WordBook(sqlite3* db);
    sqlite3* m_db = nullptr;
    QString m_lastError;
};

// The book as CSV (RFC 4180), header first:
// word,glosses,missed,kinds,sentence,lesson,position,kept
// glossesOf gives a word's glosses, joined; one line per keeping.
bool writeWordBookCsv(const std::vector<WordBookWord>& words,
                      const std::function<QString(const QString&)>& glossesOf, QIODevice& out);

// The book as a word list (RTF, as the word-list window shows its lists): a
// title, then each word in bold with its glosses.
QByteArray wordBookList(const std::vector<WordBookWord>& words,
                        const std::function<QString(const QString&)>& glossesOf);

} // namespace hearvex::record
