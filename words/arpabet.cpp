#include "pronunciation.h"

#include <QHash>
#include <QSet>
#include <QStringList>

namespace hearvex::words {

namespace {

struct Phone {
    QString ipa;
    bool vowel = false;
};

const QHash<QString, Phone>& phones() {
    static const QHash<QString, Phone> table = {
        {"AA", {"ɑ", true}},  {"AE", {"æ", true}},  {"AH", {"ʌ", true}}, {"AO", {"ɔ", true}},
        {"AW", {"aʊ", true}}, {"AY", {"aɪ", true}}, {"EH", {"ɛ", true}}, {"ER", {"ɝ", true}},
        {"EY", {"eɪ", true}}, {"IH", {"ɪ", true}},  {"IY", {"i", true}}, {"OW", {"oʊ", true}},
        {"OY", {"ɔɪ", true}}, {"UH", {"ʊ", true}},  {"UW", {"u", true}}, {"B", {"b"}},
        {"CH", {"tʃ"}},       {"D", {"d"}},         {"DH", {"ð"}},       {"F", {"f"}},
        {"G", {"ɡ"}},         {"HH", {"h"}},        {"JH", {"dʒ"}},      {"K", {"k"}},
        {"L", {"l"}},         {"M", {"m"}},         {"N", {"n"}},        {"NG", {"ŋ"}},
        {"P", {"p"}},         {"R", {"ɹ"}},         {"S", {"s"}},        {"SH", {"ʃ"}},
        {"T", {"t"}},         {"TH", {"θ"}},        {"V", {"v"}},        {"W", {"w"}},
        {"Y", {"j"}},         {"Z", {"z"}},         {"ZH", {"ʒ"}},
    };
    return table;
}

// Consonant clusters English lets begin a syllable: a stressed syllable takes
// as many of the consonants before its vowel as still form one of them.
bool isOnset(const QStringList& consonants) {
    static const QSet<QString> clusters = {
        "P L",   "B L",   "K L", "G L", "F L",  "S L",  "P R",   "B R",   "T R",
        "D R",   "K R",   "G R", "F R", "TH R", "SH R", "S W",   "T W",   "K W",
        "D W",   "S P",   "S T", "S K", "S M",  "S N",  "S P L", "S P R", "S T R",
        "S K R", "S K W", "P Y", "B Y", "K Y",  "F Y",  "M Y",   "HH Y"};
    return consonants.size() <= 1 || clusters.contains(consonants.join(' '));
}

struct Segment {
    QString phone;
    int stress = -1; // -1 consonant, 0..2 a vowel's stress
};

QString vowelIpa(const Segment& segment) {
    if (segment.stress == 0 && segment.phone == QLatin1String("AH"))
        return QStringLiteral("ə");
    if (segment.stress == 0 && segment.phone == QLatin1String("ER"))
        return QStringLiteral("ɚ");
    return phones().value(segment.phone).ipa;
}

// Where the stress mark of the vowel at index goes: before its onset.
int onsetStart(const QList<Segment>& segments, int vowel) {
    int first = vowel;
    while (first > 0 && segments[first - 1].stress < 0)
        --first;
    if (first == 0)
        return 0;
    int start = vowel;
    QStringList onset;
    while (start > first) {
        onset.prepend(segments[start - 1].phone);
        if (!isOnset(onset))
            break;
        --start;
    }
    return start;
}

} // namespace

QString arpabetToIpa(const QString& arpabet) {
    QList<Segment> segments;
    for (const QString& token : arpabet.split(' ', Qt::SkipEmptyParts)) {
        Segment segment{token, -1};
        const QChar last = token.back();
        if (last.isDigit()) {
            segment.phone.chop(1);
            segment.stress = last.digitValue();
        }
        const auto found = phones().find(segment.phone);
        if (found == phones().end() || found->vowel != (segment.stress >= 0) || segment.stress > 2)
            return {};
        segments.append(segment);
    }
    int vowels = 0;
    QList<QString> marks(segments.size() + 1);
    for (int i = 0; i < segments.size(); ++i) {
        if (segments[i].stress < 0)
            continue;
        ++vowels;
        if (segments[i].stress > 0)
            marks[onsetStart(segments, i)] = segments[i].stress == 1 ? "ˈ" : "ˌ";
    }
    QString ipa;
    for (int i = 0; i < segments.size(); ++i) {
        if (vowels > 1)
            ipa += marks[i];
        ipa +=
            segments[i].stress < 0 ? phones().value(segments[i].phone).ipa : vowelIpa(segments[i]);
    }
    return ipa;
}

} // namespace hearvex::words
