#include "safe_output.h"

#include "import_text.h"
#include "lesson_list.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hearvex::lessons {

namespace {

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// The file a path names: through any symbolic links, so that a link stays a
// link and its target gets the new content.
QByteArray resolvedPath(const QByteArray& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : path;
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray baseNameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

bool writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = ENOSPC;
            return false;
        }
        done += wrote;
    }
    return true;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A rename is only on the disk once its folder is; some file systems cannot
// sync a folder, and the file itself already is.
void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A device or a pipe (/dev/stdout, a FIFO) has nothing to replace: written as it is.
bool writeInPlace(const QByteArray& target, const QByteArray& bytes, QString* error) {
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
    bool ok = fd >= 0 && writeAll(fd, bytes);
    int why = errno;
    if (fd >= 0 && ::close(fd) != 0 && ok) {
        ok = false;
        why = errno;
    }
    if (!ok)
        *error = systemError(why);
    return ok;
}

bool writeBesideAndRename(const QByteArray& target, mode_t mode, const QByteArray& bytes,
                          QString* error) {
    const QByteArray folder = folderOf(target);
    QByteArray temporary = folder + "/." + baseNameOf(target) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        *error = systemError(errno);
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int why = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        why = errno;
    }
    if (ok && ::rename(temporary.constData(), target.constData()) != 0) {
        ok = false;
        why = errno;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        *error = systemError(why);
        return false;
    }
    syncFolder(folder);
    return true;
}

} // namespace

bool isSameFile(const QByteArray& first, const QByteArray& second) {
    struct stat a {
    }, b{};
    return ::stat(first.constData(), &a) == 0 && ::stat(second.constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QByteArray inputOverwrittenBy(const QByteArray& output, const QList<QByteArray>& inputs) {
    for (const QByteArray& input : inputs)
        if (isSameFile(output, input))
            return input;
    return {};
}

bool writeFileSafely(const QByteArray& path, const QByteArray& bytes, QString* error) {
    const QByteArray target = resolvedPath(path);
    struct stat old {};
    if (::stat(target.constData(), &old) != 0)
        return writeBesideAndRename(target, newFileMode(), bytes, error);
    if (S_ISDIR(old.st_mode)) {
        *error = ImportText::tr("%1 is a folder").arg(fileNameText(path));
        return false;
    }
    if (!S_ISREG(old.st_mode))
        return writeInPlace(target, bytes, error);
    // Its permissions, but never set-user-ID or set-group-ID on a file written here.
    return writeBesideAndRename(target, old.st_mode & 0777, bytes, error);
}

} // namespace hearvex::lessons
