#include "dictionary.h"
#include "frequency_band.h"
#include "pronunciation.h"
#include "word_form.h"

#include <QDir>

namespace hearvex::words {

namespace {

const DictionaryRecord* bestRecord(const QList<DictionaryRecord>& records, const QString& word) {
    for (const DictionaryRecord& record : records)
        if (record.word == word)
            return &record;
    const QString lower = QString::fromUtf8(foldedKey(word));
    for (const DictionaryRecord& record : records)
        if (record.word == lower)
            return &record;
    return records.isEmpty() ? nullptr : &records.front();
}

QString lemmaFrom(const DictionaryRecord& record) {
    return record.lemma.isEmpty() ? QString::fromUtf8(foldedKey(record.word)) : record.lemma;
}

} // namespace

QString Dictionary::defaultPath(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("dictionary/words.dict"));
}

bool Dictionary::open(const QString& path, QString* error) {
    return m_file.open(path, error);
}

bool Dictionary::findRecord(const QString& word, DictionaryRecord* record) const {
    for (const QString& candidate : lookupCandidates(word)) {
        const QList<DictionaryRecord> records = m_file.recordsOf(candidate);
        if (const DictionaryRecord* best = bestRecord(records, candidate)) {
            *record = *best;
            return true;
        }
    }
    return false;
}

WordEntry Dictionary::lookup(const QString& word) const {
    WordEntry entry;
    DictionaryRecord record;
    entry.found = findRecord(word, &record);
    if (!entry.found) {
        const QStringList candidates = lookupCandidates(word);
        entry.word = candidates.isEmpty() ? word.trimmed() : candidates.front();
        entry.lemma = entry.word;
        entry.ipa = espeakIpa(entry.word);
        return entry;
    }
    entry.word = record.word;
    entry.lemma = lemmaFrom(record);
    entry.rank = record.rank;
    entry.band = bandOfRank(record.rank);
    entry.glosses = record.glosses;
    entry.forms = record.forms;
    DictionaryRecord lemma;
    if (!record.lemma.isEmpty() && findRecord(record.lemma, &lemma)) {
        entry.forms = lemma.forms;
        entry.lemmaGlosses = lemma.glosses;
    }
    entry.ipa = record.arpabet.isEmpty() ? espeakIpa(record.word) : arpabetToIpa(record.arpabet);
    return entry;
}

bool Dictionary::isWord(const QString& word) const {
    DictionaryRecord record;
    return findRecord(word, &record);
}

QString Dictionary::lemmaOf(const QString& word) const {
    DictionaryRecord record;
    if (findRecord(word, &record))
        return lemmaFrom(record);
    const QStringList candidates = lookupCandidates(word);
    return candidates.isEmpty() ? QString() : candidates.front();
}

int Dictionary::band(const QString& word) const {
    DictionaryRecord record;
    return findRecord(word, &record) ? bandOfRank(record.rank) : 5;
}

} // namespace hearvex::words
