#include "pronunciation.h"

#include "speech_synthesizer.h"
#include "sphinx_decoder.h"

#include <QRegularExpression>

namespace hearvex::lessons {

namespace {

struct PhoneName {
    const char* espeak;
    const char* model;
};

// eSpeak NG's English phonemes; r-coloured vowels become a vowel and R.
constexpr PhoneName kEspeakPhones[] = {
    {"@", "AH"},    {"@L", "AH L"},   {"@5", "AH L"},  {"3", "ER"},      {"3:", "ER"},
    {"a", "AE"},    {"a#", "AH"},     {"aa", "AE"},    {"A:", "AA"},     {"A@", "AA R"},
    {"0", "AA"},    {"V", "AH"},      {"O", "AO"},     {"O:", "AO"},     {"O@", "AO R"},
    {"o@", "AO R"}, {"OI", "OY"},     {"aI", "AY"},    {"aI@", "AY ER"}, {"aI3", "AY ER"},
    {"aU", "AW"},   {"aU@", "AW ER"}, {"eI", "EY"},    {"e@", "EH R"},   {"E", "EH"},
    {"E2", "EH"},   {"E3", "EH"},     {"I", "IH"},     {"I2", "IH"},     {"I#", "IH"},
    {"i", "IY"},    {"i:", "IY"},     {"i@", "IY AH"}, {"i@3", "IH R"},  {"oU", "OW"},
    {"U", "UH"},    {"U@", "UH R"},   {"u:", "UW"},    {"u", "UW"},      {"b", "B"},
    {"d", "D"},     {"D", "DH"},      {"dZ", "JH"},    {"f", "F"},       {"g", "G"},
    {"h", "HH"},    {"j", "Y"},       {"k", "K"},      {"l", "L"},       {"l-", "AH L"},
    {"m", "M"},     {"n", "N"},       {"n-", "AH N"},  {"N", "NG"},      {"p", "P"},
    {"r", "R"},     {"r-", "R"},      {"s", "S"},      {"S", "SH"},      {"t", "T"},
    {"t#", "T"},    {"T", "TH"},      {"tS", "CH"},    {"v", "V"},       {"w", "W"},
    {"x", "K"},     {"z", "Z"},       {"Z", "ZH"},
};

QString espeakToModel(QString name) {
    name.remove(QRegularExpression(QStringLiteral("[',%=]")));
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (const PhoneName& phone : kEspeakPhones)
            if (name == QLatin1String(phone.espeak))
                return QLatin1String(phone.model);
        name.remove(QRegularExpression(QStringLiteral("[0-9#]+$"))); // a variant of a phone
    }
    return {};
}

// Spelling rules, longest letters first at each place.
constexpr PhoneName kLetterPhones[] = {
    {"tch", "CH"},  {"sch", "S K"}, {"igh", "AY"}, {"ch", "CH"}, {"sh", "SH"},  {"th", "TH"},
    {"ph", "F"},    {"wh", "W"},    {"ck", "K"},   {"ng", "NG"}, {"qu", "K W"}, {"ee", "IY"},
    {"ea", "IY"},   {"oo", "UW"},   {"ou", "AW"},  {"ow", "OW"}, {"ai", "EY"},  {"ay", "EY"},
    {"oi", "OY"},   {"oy", "OY"},   {"au", "AO"},  {"aw", "AO"}, {"ie", "IY"},  {"er", "ER"},
    {"ar", "AA R"}, {"or", "AO R"}, {"ir", "ER"},  {"ur", "ER"}, {"a", "AE"},   {"b", "B"},
    {"c", "K"},     {"d", "D"},     {"e", "EH"},   {"f", "F"},   {"g", "G"},    {"h", "HH"},
    {"i", "IH"},    {"j", "JH"},    {"k", "K"},    {"l", "L"},   {"m", "M"},    {"n", "N"},
    {"o", "AA"},    {"p", "P"},     {"q", "K"},    {"r", "R"},   {"s", "S"},    {"t", "T"},
    {"u", "AH"},    {"v", "V"},     {"w", "W"},    {"x", "K S"}, {"y", "Y"},    {"z", "Z"},
};

} // namespace

QString modelPhonesFromEspeak(const QString& espeakPhonemes) {
    QStringList phones;
    for (const QString& name :
         espeakPhonemes.split(QRegularExpression(QStringLiteral("[_ ]+")), Qt::SkipEmptyParts)) {
        const QString model = espeakToModel(name);
        if (!model.isEmpty())
            phones << model;
    }
    return phones.join(QLatin1Char(' '));
}

QString modelPhonesFromSpelling(const QString& word) {
    const QString letters = word.toLower();
    QStringList phones;
    for (qsizetype at = 0; at < letters.size();) {
        qsizetype taken = 1;
        for (const PhoneName& rule : kLetterPhones) {
            const QLatin1String spelled(rule.espeak);
            if (letters.mid(at, spelled.size()) == spelled) {
                phones << QLatin1String(rule.model);
                taken = spelled.size();
                break;
            }
        }
        // A final silent e after a consonant says nothing.
        if (letters.at(at) == QLatin1Char('e') && at == letters.size() - 1 && at > 0 &&
            !phones.isEmpty())
            phones.removeLast();
        at += taken;
    }
    return phones.join(QLatin1Char(' '));
}

QString Pronunciations::of(const QString& spoken) {
    const QString known = m_decoder.lookUp(spoken);
    if (!known.isEmpty())
        return known;
    const auto added = m_added.constFind(spoken);
    if (added != m_added.constEnd())
        return *added;
    QString phones = modelPhonesFromEspeak(espeakPhonemes(spoken));
    if (phones.isEmpty())
        phones = modelPhonesFromSpelling(spoken);
    return phones;
}

QString Pronunciations::dictionaryWord(const QString& spoken) {
    if (!m_decoder.lookUp(spoken).isEmpty())
        return spoken;
    const QString phones = of(spoken);
    if (phones.isEmpty() || !m_decoder.addWord(spoken, phones))
        return {};
    m_added.insert(spoken, phones);
    return spoken;
}

} // namespace hearvex::lessons
