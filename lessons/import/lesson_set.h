// A set of lessons made whole before the lesson folder sees any of it, then
// committed all at once: a kill at any instant leaves the folder with the whole
// old set or, once the next run has finished the commit, the whole new set.
//
// An import of lessons NAME owns `.import-NAME.lock` in the lesson folder (an
// flock, so it is free again the moment its process dies) and stages its files
// in `.import-NAME/new`. The commit writes the journal `.import-NAME/journal`
// (the new files and the old ones they replace, synced), and from then on the
// set counts as committed: the old files move aside into `.import-NAME/old`,
// the new ones into the folder, and the staging folder goes. Whoever next takes
// the name's lock (an import, the lesson tool, the program at start) finishes a
// journalled commit it finds, or removes a staging folder without a journal.
//
// Paths are the bytes of the file system's names: a lesson pack's GBK names
// have no QString that opens them.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace hearvex::lessons {

// The files of the lessons named NAME-<digits> in folder (recordings
// NAME-<digits>.txt, their texts and their word times), sorted.
QList<QByteArray> lessonFilesNamed(const QByteArray& folder, const QByteArray& name);

class LessonSet {
public:
    enum class Begin { Ready, Busy, Failed };

    LessonSet() = default;
    LessonSet(const LessonSet&) = delete;
    LessonSet& operator=(const LessonSet&) = delete;
    // Uncommitted: removes what was staged (and the folder when this made it).
    ~LessonSet();

    // Makes the folder if missing, takes the name's lock (Busy when a running
    // import holds it) and finishes or removes what a killed import of the
    // name left, then makes the staging folder.
    Begin begin(const QByteArray& folder, const QByteArray& name, QString* error);
    // Where a new file of the set is written before the commit.
    QByteArray stagedPath(const QByteArray& fileName) const;

    // Replaces the files `replaced` of the folder with the staged `files`
    // (each staged under its final name), all or nothing.
    bool commit(const QList<QByteArray>& files, const QList<QByteArray>& replaced, QString* error);

    // Tests stop a commit after this many of its steps (the journal, each
    // move, the clean-up), leaving the folder as a kill there would; -1 runs
    // commits to the end.
    static void stopCommitsAfterForTesting(int steps);

private:
    void release();

    QByteArray m_folder;
    QByteArray m_name;
    QByteArray m_staging;
    int m_lock = -1;
    bool m_createdFolder = false;
    bool m_committed = false;
    bool m_abandoned = false; // stopped by the test hook: left as a kill leaves it
};

// Finishes or removes what killed imports left in folder (run by the lesson
// tool and at the program's start). Returns what it could not clear, one line
// each; a running import's staging is not counted.
QStringList recoverInterruptedImports(const QByteArray& folder);

} // namespace hearvex::lessons
