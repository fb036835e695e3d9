// Attempts not yet in the record, kept in a small file beside it (one JSON
// line each) so that an attempt the record could not take survives a crash or
// a restart; the next write, or the next run, puts them in and empties it.
// A line cut short by a crash is skipped, the lines after it are kept.
#pragma once

#include "practice_types.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace hearvex::record {

// Where the attempts waiting for the record at recordPath are kept: beside
// it, else (a folder that cannot be written) under $XDG_STATE_HOME/hearvex.
QString pendingJournalPath(const QString& recordPath);
QString fallbackJournalPath(const QString& recordPath);

// One attempt as a line of the journal (no line break inside), and back.
QByteArray attemptLine(const Attempt& attempt);
std::optional<Attempt> attemptFromLine(const QByteArray& line);

// Used from one thread at a time.
class PendingJournal {
public:
    explicit PendingJournal(QString path);
    ~PendingJournal();
    PendingJournal(const PendingJournal&) = delete;
    PendingJournal& operator=(const PendingJournal&) = delete;

    const QString& path() const { return m_path; }
    // The attempts kept by earlier runs, oldest first.
    std::vector<Attempt> load() const;
    // Appends one attempt; the write survives the program's end at once, the
    // disk's own failure after sync(). False when it could not be kept.
    bool append(const Attempt& attempt);
    // Puts what was appended on the disk (fdatasync).
    bool sync();
    // A handle of its own on the file, for an fdatasync made without holding
    // up the appends (closed by the caller); -1 when the file is not open.
    int duplicateHandle() const;
    // True (and the next append makes the file anew) when the file appended
    // to was removed meanwhile: another copy of the program emptied it.
    bool lostItsFile();
    // Empties the journal once all it held is in the record; false when it
    // could not (the lines are then replayed and found already recorded).
    bool clear();

private:
    bool ensureOpen();

    QString m_path;
    int m_fd = -1;
};

} // namespace hearvex::record
