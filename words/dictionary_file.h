// The shipped dictionary file (made by scripts/make_dictionary.py): mapped
// from disk, never read whole; a look-up inflates the one block that holds
// the key. The block index lives in the mapping, so the program's memory
// hardly grows with the dictionary. Read-only once open: any thread may look
// up at the same time.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <memory>

namespace hearvex::words {

// One line of the file: a spelling of a word and what the dictionary says of it.
struct DictionaryRecord {
    QString word;        // as the dictionary spells it ("US", "us")
    QString lemma;       // empty when the word is its own lemma or has none
    int rank = 0;        // the lemma's place in the frequency list, 1 = most frequent; 0 unlisted
    QString arpabet;     // CMU pronunciation, phones separated by spaces; may be empty
    QStringList forms;   // the lemma's other forms, on the lemma's own record only
    QStringList glosses; // Chinese glosses, one per line of the entry
};

// A-Z folded to a-z, the file's sort key; other letters are kept as they are.
QByteArray foldedKey(const QString& word);

class DictionaryFile {
public:
    // False, with a message in *error, when the file is missing or not a dictionary.
    bool open(const QString& path, QString* error);
    bool isOpen() const { return m_data != nullptr; }
    int recordCount() const { return m_recordCount; }
    qint64 sizeBytes() const { return m_size; }

    // Every record whose folded key is the folded word, in the file's order.
    QList<DictionaryRecord> recordsOf(const QString& word) const;

private:
    int blockHolding(const QByteArray& key) const;
    QByteArray blockText(int block) const;
    QByteArray blockKey(int block) const;
    quint32 indexField(int block, int field) const;

    std::unique_ptr<QFile> m_file;
    const uchar* m_data = nullptr;
    qint64 m_size = 0;
    int m_blockCount = 0;
    int m_recordCount = 0;
    quint32 m_indexOffset = 0;
    quint32 m_poolOffset = 0;
};

} // namespace hearvex::words
