// Pronunciations for the words a reader says, in the acoustic model's phones:
// the CMU dictionary the model came with, else eSpeak NG's phonemes carried
// over to the model's set, else spelling rules. Words found outside the
// dictionary are added to the decoder's, so the grammar can use them.
#pragma once

#include <QHash>
#include <QString>

namespace hearvex::lessons {

class SphinxDecoder;

// eSpeak NG's phoneme names ("k_'aU") as the model's phones ("K AW"); names
// it does not know are left out.
QString modelPhonesFromEspeak(const QString& espeakPhonemes);

// A rough reading of a word's letters, for when eSpeak NG cannot be had.
QString modelPhonesFromSpelling(const QString& word);

class Pronunciations {
public:
    explicit Pronunciations(SphinxDecoder& decoder)
        : m_decoder(decoder) {}

    // The decoder's dictionary word for a spoken word (lower case), added
    // first when the dictionary has none; empty when it has no letters.
    QString dictionaryWord(const QString& spoken);
    QString of(const QString& spoken);

private:
    SphinxDecoder& m_decoder;
    QHash<QString, QString> m_added; // words added to the decoder, and their phones
};

} // namespace hearvex::lessons
