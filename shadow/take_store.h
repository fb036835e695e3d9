// The learner's takes on disk: one FLAC file per take under
// $XDG_DATA_HOME/hearvex/takes/, named by the lesson, the sentence and the
// moment it was recorded, at most the last kKeptPerSentence of each sentence.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <span>
#include <vector>

namespace hearvex::shadow {

inline constexpr int kTakeRate = 16000; // takes are recorded and analysed as 16 kHz mono
inline constexpr int kKeptPerSentence = 20;

// Which sentence a take belongs to.
struct TakeOwner {
    QString lessonName; // the recording's file name, e.g. "lesson07.txt"
    QString sentence;
};

// $XDG_DATA_HOME/hearvex/takes (~/.local/share/hearvex/takes when unset).
QString defaultTakesFolder();

// "lesson07_3f2a91c0": the lesson's name made safe for a file name, and a
// short hash of the sentence, so two sentences of one lesson never share takes.
QString takeStem(const TakeOwner& owner);

// When a take was recorded, read back from its file name; invalid when the
// name is not a take's.
QDateTime takeTime(const QString& fileName);

class TakeStore {
public:
    explicit TakeStore(QString folder = defaultTakesFolder());

    const QString& folder() const { return m_folder; }

    // Writes the take (16 kHz mono) as FLAC and keeps only the newest
    // kKeptPerSentence of its sentence. The path written, or empty with *error.
    QString save(const TakeOwner& owner, std::span<const float> samples, const QDateTime& when,
                 QString* error) const;

    // The sentence's takes, newest first, as full paths.
    QStringList takesOf(const TakeOwner& owner) const;

private:
    void prune(const TakeOwner& owner) const;

    QString m_folder;
};

// A take file: FLAC, WAV or anything libsndfile reads, mixed to mono. Empty
// with *error when it cannot be read; *rate receives its sample rate.
std::vector<float> readSoundFile(const QString& path, int* rate, QString* error);

// Written beside the target and renamed over it, so a failed write leaves nothing half-made.
bool writeFlac(const QString& path, std::span<const float> samples, int rate, QString* error);

} // namespace hearvex::shadow
