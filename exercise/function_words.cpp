#include "function_words.h"

#include <QSet>

namespace hearvex::exercise {

namespace {

const QSet<QString>& functionWords() {
    static const QSet<QString> words = [] {
        const char* const list[] = {
            // articles and determiners that stand for them
            "a", "an", "the", "this", "that", "these", "those", "some", "any", "no", "every",
            "each",
            // prepositions
            "about", "above", "across", "after", "against", "along", "among", "around", "as", "at",
            "before", "behind", "below", "beneath", "beside", "between", "beyond", "by", "despite",
            "down", "during", "except", "for", "from", "in", "inside", "into", "like", "near", "of",
            "off", "on", "onto", "out", "outside", "over", "past", "per", "since", "through",
            "throughout", "till", "to", "toward", "towards", "under", "underneath", "until", "up",
            "upon", "via", "with", "within", "without",
            // pronouns
            "i", "me", "my", "mine", "myself", "you", "your", "yours", "yourself", "yourselves",
            "he", "him", "his", "himself", "she", "her", "hers", "herself", "it", "its", "itself",
            "we", "us", "our", "ours", "ourselves", "they", "them", "their", "theirs", "themselves",
            "who", "whom", "whose", "which", "what", "one", "there",
            // auxiliaries and modals
            "am", "is", "are", "was", "were", "be", "been", "being", "have", "has", "had", "having",
            "do", "does", "did", "will", "would", "shall", "should", "can", "could", "may", "might",
            "must", "ought",
            // conjunctions
            "and", "or", "but", "nor", "so", "yet", "if", "because", "although", "though", "while",
            "whereas", "when", "whether", "unless", "than", "once", "whenever", "where",
            // contracted auxiliaries and negation read as one word
            "not", "cannot", "'s", "'re", "'m", "'ll", "'d", "'ve"};
        QSet<QString> set;
        for (const char* word : list)
            set.insert(QLatin1String(word));
        return set;
    }();
    return words;
}

} // namespace

bool isFunctionWord(const QString& word) {
    return functionWords().contains(word);
}

} // namespace hearvex::exercise
