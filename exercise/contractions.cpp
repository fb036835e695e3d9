#include "contractions.h"

#include <array>
#include <utility>

namespace hearvex::exercise {

namespace {

// Contractions whose first part is not simply the word before the apostrophe.
constexpr std::array<std::pair<const char*, const char*>, 6> kIrregular = {{
    {"can't", "cannot|can not"},
    {"won't", "will not"},
    {"shan't", "shall not"},
    {"ain't", "am not|is not|are not|has not|have not"},
    {"let's", "let us"},
    {"y'all", "you all"},
}};

// A suffix and what it stands for after the word it is glued to.
constexpr std::array<std::pair<const char*, const char*>, 7> kSuffixes = {{
    {"n't", "not"},
    {"'re", "are"},
    {"'m", "am"},
    {"'ll", "will|shall"},
    {"'ve", "have"},
    {"'d", "would|had"},
    {"'s", "is|has"},
}};

QStringList alternatives(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char('|'));
}

} // namespace

QStringList contractionExpansions(const QString& word) {
    for (const auto& [contracted, full] : kIrregular)
        if (word == QLatin1String(contracted))
            return alternatives(full);
    for (const auto& [suffix, full] : kSuffixes) {
        const QLatin1String ending(suffix);
        if (!word.endsWith(ending) || word.size() == ending.size())
            continue;
        const QString stem = word.chopped(ending.size());
        QStringList expansions;
        for (const QString& rest : alternatives(full))
            expansions << stem + QLatin1Char(' ') + rest;
        return expansions;
    }
    return {};
}

bool isContractionOf(const QString& a, const QString& b) {
    return contractionExpansions(a).contains(b) || contractionExpansions(b).contains(a);
}

} // namespace hearvex::exercise
