#include "lesson_set.h"

#include "import_text.h"
#include "lesson_file.h"
#include "lesson_list.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hearvex::lessons {

namespace {

const QByteArray kPrefix = ".import-";
const QByteArray kLockSuffix = ".lock";
const QByteArray kLockTemporary = ".import-lock-";
const QByteArray kJournalHeader = "hearvex lesson set 1\n";

int g_stopAfterSteps = -1;

QByteArray join(const QByteArray& folder, const QByteArray& name) {
    return folder + '/' + name;
}

QString shown(const QByteArray& path) {
    return fileNameText(path);
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool exists(const QByteArray& path) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

bool isDirectory(const QByteArray& path) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder and any missing parents, as `mkdir -p` makes them.
bool makePath(const QByteArray& folder) {
    for (qsizetype slash = folder.indexOf('/', 1);; slash = folder.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? folder : folder.left(slash);
        if (::mkdir(part.constData(), 0777) != 0 && !isDirectory(part))
            return false;
        if (slash < 0)
            return true;
    }
}

bool syncPath(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool syncFileSystem(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::syncfs(fd) == 0;
    ::close(fd);
    return ok;
}

QList<QByteArray> entriesOf(const QByteArray& folder) {
    QList<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

int removeEntry(const char* path, const struct stat*, int, FTW*) {
    return ::remove(path);
}

bool removeTree(const QByteArray& path) {
    if (!exists(path))
        return true;
    return ::nftw(path.constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

bool writeAndSync(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = true;
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        ok = wrote > 0;
        done += ok ? wrote : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
}

QByteArray readAll(const QByteArray& path) {
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        bytes.append(buffer, got);
    }
    ::close(fd);
    return bytes;
}

// The name's lock: an flock on `.import-NAME.lock`, free once its holder dies.
// A new lock file is locked before it gets its name, so whoever finds the
// name unlocked knows its holder is gone and takes the lock over.
int takeLock(const QByteArray& folder, const QByteArray& lockPath, bool* busy) {
    *busy = false;
    for (int attempt = 0; attempt < 16; ++attempt) {
        int fd = ::open(lockPath.constData(), O_RDWR | O_CLOEXEC);
        if (fd >= 0) {
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
                *busy = errno == EWOULDBLOCK;
                ::close(fd);
                return -1;
            }
            struct stat held {
            }, named{};
            if (::fstat(fd, &held) == 0 && ::stat(lockPath.constData(), &named) == 0 &&
                held.st_ino == named.st_ino && held.st_dev == named.st_dev)
                return fd;
            ::close(fd); // released and renewed meanwhile: look again
            continue;
        }
        if (errno != ENOENT)
            return -1;
        QByteArray temporary = join(folder, kLockTemporary + "XXXXXX");
        fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        const bool linked = locked && ::link(temporary.constData(), lockPath.constData()) == 0;
        const int why = errno;
        ::unlink(temporary.constData());
        if (linked)
            return fd;
        ::close(fd);
        if (locked && why != EEXIST && why != ENOENT) {
            errno = why;
            return -1;
        }
    }
    *busy = true;
    return -1;
}

void releaseLock(const QByteArray& lockPath, int fd) {
    ::unlink(lockPath.constData());
    ::close(fd);
}

struct Journal {
    QList<QByteArray> files;    // new, staged in new/
    QList<QByteArray> replaced; // old, moved aside into old/
};

QByteArray journalBytes(const Journal& journal) {
    QByteArray bytes = kJournalHeader;
    for (const QByteArray& name : journal.files)
        bytes += 'N' + name + '\0';
    for (const QByteArray& name : journal.replaced)
        bytes += 'O' + name + '\0';
    return bytes;
}

bool parseJournal(const QByteArray& bytes, Journal* journal) {
    if (!bytes.startsWith(kJournalHeader))
        return false;
    qsizetype at = kJournalHeader.size();
    while (at < bytes.size()) {
        const qsizetype end = bytes.indexOf('\0', at);
        if (end < 0 || end - at < 2)
            return false;
        const QByteArray name = bytes.mid(at + 1, end - at - 1);
        if (name.contains('/') || name == "." || name == "..")
            return false;
        if (bytes.at(at) != 'N' && bytes.at(at) != 'O')
            return false;
        (bytes.at(at) == 'N' ? journal->files : journal->replaced) << name;
        at = end + 1;
    }
    return true;
}

// Steps of a commit, counted so that tests can stop one anywhere.
class Steps {
public:
    bool next() { return g_stopAfterSteps < 0 || m_taken++ < g_stopAfterSteps; }

private:
    int m_taken = 0;
};

// Moves the journalled set into place. Safe to run again after a stop at any
// point: once a new file has left new/, every old one is already aside.
bool rollForward(const QByteArray& folder, const QByteArray& staging, const Journal& journal,
                 Steps& steps) {
    const QByteArray fresh = join(staging, "new");
    const QByteArray aside = join(staging, "old");
    const bool movingIn = std::any_of(journal.files.begin(), journal.files.end(),
                                      [&](const QByteArray& f) { return !exists(join(fresh, f)); });
    if (!movingIn && !journal.replaced.isEmpty() && ::mkdir(aside.constData(), 0700) != 0 &&
        errno != EEXIST)
        return false;
    for (const QByteArray& old : journal.replaced) {
        if (movingIn || !exists(join(folder, old)))
            continue;
        if (!steps.next())
            return false;
        if (::rename(join(folder, old).constData(), join(aside, old).constData()) != 0)
            return false;
    }
    for (const QByteArray& file : journal.files) {
        if (!exists(join(fresh, file)))
            continue;
        if (!steps.next())
            return false;
        if (::rename(join(fresh, file).constData(), join(folder, file).constData()) != 0)
            return false;
    }
    syncPath(folder);
    return steps.next() && removeTree(staging);
}

// What a dead import of the name left, with the name's lock held: a
// journalled commit is finished, anything else removed. Empty when done, else why not.
QString clearStaging(const QByteArray& folder, const QByteArray& staging) {
    if (!isDirectory(staging))
        return {};
    const QByteArray journalPath = join(staging, "journal");
    if (!exists(journalPath))
        return removeTree(staging) ? QString() : systemError();
    Journal journal;
    if (!parseJournal(readAll(journalPath), &journal))
        return ImportText::tr("its journal is not one this program wrote");
    Steps steps;
    return rollForward(folder, staging, journal, steps) ? QString() : systemError();
}

QByteArray stagingName(const QByteArray& name) {
    return kPrefix + name;
}

QByteArray lockName(const QByteArray& name) {
    return kPrefix + name + kLockSuffix;
}

bool lessonNumberFollows(const QByteArray& entry, const QByteArray& stem, const char* suffix) {
    const QByteArray head = stem + '-';
    if (!entry.startsWith(head) || !entry.endsWith(suffix))
        return false;
    const QByteArray digits =
        entry.mid(head.size(), entry.size() - head.size() - qsizetype(std::strlen(suffix)));
    return !digits.isEmpty() &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

QList<QByteArray> lessonFilesNamed(const QByteArray& folder, const QByteArray& name) {
    // The program finds a recording's text by turning every "txt" of its name
    // into "kvx"; a name holding "txt" has its texts under that other name.
    const QByteArray textName = textFileNameBytes(name);
    QList<QByteArray> found;
    for (const QByteArray& entry : entriesOf(folder)) {
        if (!entry.startsWith('.') &&
            (lessonNumberFollows(entry, name, ".txt") || lessonNumberFollows(entry, name, ".kvx") ||
             lessonNumberFollows(entry, textName, ".kvx") ||
             lessonNumberFollows(entry, name, ".words")))
            found << entry;
    }
    return found;
}

void LessonSet::stopCommitsAfterForTesting(int steps) {
    g_stopAfterSteps = steps;
}

LessonSet::~LessonSet() {
    if (m_abandoned) {
        ::close(m_lock); // as a killed process drops it
        return;
    }
    if (!m_committed && !m_staging.isEmpty())
        removeTree(m_staging);
    release();
    if (m_createdFolder && !m_committed)
        ::rmdir(m_folder.constData());
}

void LessonSet::release() {
    if (m_lock >= 0)
        releaseLock(join(m_folder, lockName(m_name)), m_lock);
    m_lock = -1;
}

LessonSet::Begin LessonSet::begin(const QByteArray& folder, const QByteArray& name,
                                  QString* error) {
    m_folder = folder;
    m_name = name;
    if (!isDirectory(folder)) {
        if (!makePath(folder)) {
            *error =
                ImportText::tr("cannot create the folder %1: %2").arg(shown(folder), systemError());
            return Begin::Failed;
        }
        m_createdFolder = true;
    }
    bool busy = false;
    m_lock = takeLock(folder, join(folder, lockName(name)), &busy);
    if (m_lock < 0) {
        *error = busy ? ImportText::tr("another import of lessons named %1 is running in %2")
                            .arg(shown(name), shown(folder))
                      : ImportText::tr("cannot write in %1: %2").arg(shown(folder), systemError());
        return busy ? Begin::Busy : Begin::Failed;
    }
    const QByteArray staging = join(folder, stagingName(name));
    if (const QString why = clearStaging(folder, staging); !why.isEmpty()) {
        *error = ImportText::tr("cannot clear %1 left by an earlier import: %2")
                     .arg(shown(staging), why);
        return Begin::Failed;
    }
    if (::mkdir(staging.constData(), 0700) != 0 ||
        ::mkdir(join(staging, "new").constData(), 0700) != 0) {
        *error = ImportText::tr("cannot write in %1: %2").arg(shown(folder), systemError());
        removeTree(staging);
        return Begin::Failed;
    }
    m_staging = staging;
    return Begin::Ready;
}

QByteArray LessonSet::stagedPath(const QByteArray& fileName) const {
    return join(join(m_staging, "new"), fileName);
}

bool LessonSet::commit(const QList<QByteArray>& files, const QList<QByteArray>& replaced,
                       QString* error) {
    const auto failed = [&](const QString& what) {
        *error = QStringLiteral("%1 in %2: %3").arg(what, shown(m_folder), systemError());
        return false;
    };
    // The staged files reach the disk before the journal names them: one
    // flush of the file system rather than one per file.
    if (!syncFileSystem(join(m_staging, "new")))
        return failed(ImportText::tr("cannot write the lessons"));
    Steps steps;
    const QByteArray journal = join(m_staging, "journal");
    if (!writeAndSync(journal + ".new", journalBytes({files, replaced})))
        return failed(ImportText::tr("cannot write the import's journal"));
    if (!steps.next()) {
        m_abandoned = true;
        return failed(QStringLiteral("stopped"));
    }
    if (::rename((journal + ".new").constData(), journal.constData()) != 0 || !syncPath(m_staging))
        return failed(ImportText::tr("cannot write the import's journal"));
    // Committed: from here on the set goes in, now or at the next run.
    m_committed = true;
    if (!rollForward(m_folder, m_staging, {files, replaced}, steps)) {
        m_abandoned = g_stopAfterSteps >= 0;
        if (!m_abandoned && clearStaging(m_folder, m_staging).isEmpty())
            return true; // a second try got through
        return failed(ImportText::tr("the lessons were not all moved into place (the next "
                                     "run finishes it)"));
    }
    return true;
}

QStringList recoverInterruptedImports(const QByteArray& folder) {
    QStringList problems;
    QList<QByteArray> names;
    for (const QByteArray& entry : entriesOf(folder)) {
        const QByteArray path = join(folder, entry);
        if (entry.startsWith(kLockTemporary) && !isDirectory(path)) {
            // A lock file killed before it got its name: unlocked, it is garbage.
            const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
            if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
                ::unlink(path.constData());
            if (fd >= 0)
                ::close(fd);
        } else if (entry.startsWith(kPrefix) && entry.size() > kPrefix.size()) {
            QByteArray name = entry.mid(kPrefix.size());
            if (!isDirectory(path) && name.endsWith(kLockSuffix))
                name.chop(kLockSuffix.size());
            if (!names.contains(name))
                names << name;
        }
    }
    for (const QByteArray& name : names) {
        const QByteArray lockPath = join(folder, lockName(name));
        bool busy = false;
        const int lock = takeLock(folder, lockPath, &busy);
        if (lock < 0) {
            if (!busy)
                problems << ImportText::tr("%1: cannot take over an import's leftovers: %2")
                                .arg(shown(join(folder, stagingName(name))), systemError());
            continue;
        }
        const QByteArray staging = join(folder, stagingName(name));
        if (const QString why = clearStaging(folder, staging); !why.isEmpty())
            problems << ImportText::tr("%1: left by an import that was stopped; cannot clear "
                                       "it: %2")
                            .arg(shown(staging), why);
        releaseLock(lockPath, lock);
    }
    return problems;
}

} // namespace hearvex::lessons
