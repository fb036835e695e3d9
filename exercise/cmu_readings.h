// How a word sounds by the CMU Pronouncing Dictionary, every reading it lists
// ("the": DH AH and DH IY), stress left out: what tells a homophone. The file
// is mapped, not read into memory, and an index of its lines sorted once.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

namespace hearvex::exercise {

// Where Debian's pocketsphinx-en-us puts the dictionary.
inline constexpr char kCmuDictionaryPath[] =
    "/usr/share/pocketsphinx/model/en-us/cmudict-en-us.dict";

class CmuReadings {
public:
    // A file that cannot be opened gives no readings.
    explicit CmuReadings(const QString& path = QString::fromLatin1(kCmuDictionaryPath));
    CmuReadings(const CmuReadings&) = delete;
    CmuReadings& operator=(const CmuReadings&) = delete;

    bool isOpen() const { return m_data != nullptr; }
    // The word's readings (lower case, ASCII apostrophe), phones separated by
    // one space, without stress digits: "DH EH R". Empty when it is not listed.
    QStringList readings(const QString& word) const;

private:
    struct Line {
        quint32 offset = 0;    // of the line in the file
        quint32 keyLength = 0; // of its headword
    };
    std::string_view keyOf(const Line& line) const;

    QFile m_file;
    const uchar* m_data = nullptr;
    qint64 m_size = 0;
    std::vector<Line> m_lines; // by their headword, then their place in the file
};

} // namespace hearvex::exercise
