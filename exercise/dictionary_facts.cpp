#include "dictionary_facts.h"

#include "cmu_readings.h"
#include "dictionary.h"

#include <memory>

namespace hearvex::exercise {

namespace {

// Entries the dictionary keeps for names and abbreviations ("pres", "Alot")
// are no words a learner means to write.
bool onlyNameOrAbbreviation(const words::WordEntry& entry) {
    if (entry.glosses.isEmpty())
        return false;
    for (const QString& gloss : entry.glosses)
        if (!gloss.startsWith(QLatin1String("abbr.")) && !gloss.contains(QStringLiteral("人名")))
            return false;
    return true;
}

// A word a learner may mean: one the CMU Pronouncing Dictionary says, or one
// among the 20,000 most frequent lemmas; the lemma list's rarest entries hold
// common misspellings ("recieve"), and names and abbreviations are none.
bool isRealWord(const words::Dictionary& dictionary, const CmuReadings& sounds,
                const QString& word) {
    if (!dictionary.isWord(word))
        return !sounds.readings(word).isEmpty() && word.contains(QLatin1Char('\''));
    const words::WordEntry entry = dictionary.lookup(word);
    // A contraction ("who's") is glossed as an abbreviation, yet a word.
    if (onlyNameOrAbbreviation(entry) && !word.contains(QLatin1Char('\'')))
        return false;
    return !sounds.readings(word).isEmpty() || (entry.rank > 0 && entry.band <= 4);
}

// The lemma list counts the frequency of its first lemmas only; after them it
// lists the rest ("advice", "information") in the order of the alphabet, so
// their place says nothing of how common they are.
constexpr int kLastCountedLemma = 62072;

// Unknown (0) for a word the lemma list does not count: such a word may well
// be common. A word the dictionary does not know (a name, mostly) is rare.
int bandOf(const words::Dictionary& dictionary, const QString& word) {
    if (!dictionary.isWord(word))
        return 5;
    const words::WordEntry entry = dictionary.lookup(word);
    return entry.rank > 0 && entry.rank <= kLastCountedLemma ? entry.band : 0;
}

} // namespace

WordFacts dictionaryFacts(const words::Dictionary& dictionary) {
    const words::Dictionary* d = &dictionary;
    WordFacts facts;
    // Mapped and indexed on first use, then kept as long as the facts.
    auto made = std::make_shared<std::unique_ptr<CmuReadings>>();
    const auto sounds = [made]() -> const CmuReadings& {
        if (!*made)
            *made = std::make_unique<CmuReadings>();
        return **made;
    };
    facts.phones = [sounds](const QString& word) { return sounds().readings(word); };
    if (!dictionary.isOpen())
        return facts;
    facts.isWord = [d, sounds](const QString& word) { return isRealWord(*d, sounds(), word); };
    facts.lemmaOf = [d](const QString& word) { return d->lemmaOf(word); };
    facts.band = [d](const QString& word) { return bandOf(*d, word); };
    return facts;
}

} // namespace hearvex::exercise
