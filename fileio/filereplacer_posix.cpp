// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/filereplacer_p.h"

#include "fileio/filereplacer_posix.h"
#include "fileio/nativefilename.h"
#include "fileio/systemerror.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace
{

// Extended attributes, ACLs among them, as Linux keeps them. Elsewhere they are kept through
// calls of other shapes or not at all; listing them fails there, and a save over an existing
// file writes in place, which keeps whatever the file carries.
#ifdef __linux__
ssize_t listAttributes(int descriptor, char *names, size_t size)
{
    return ::flistxattr(descriptor, names, size);
}
ssize_t getAttribute(int descriptor, const char *name, void *value, size_t size)
{
    return ::fgetxattr(descriptor, name, value, size);
}
int setAttribute(int descriptor, const char *name, const void *value, size_t size)
{
    return ::fsetxattr(descriptor, name, value, size, 0);
}
#else
ssize_t listAttributes(int, char *, size_t)
{
    errno = ENOSYS;
    return -1;
}
ssize_t getAttribute(int, const char *, void *, size_t)
{
    errno = ENOSYS;
    return -1;
}
int setAttribute(int, const char *, const void *, size_t)
{
    errno = ENOSYS;
    return -1;
}
#endif

// The names of the extended attributes of the open file, sorted; nothing when they cannot be
// listed. A file system without extended attributes (many through FUSE) gives none.
std::optional<QList<QByteArray>> attributeNames(int descriptor, const SaveCalls &calls)
{
    const ssize_t size = calls.listAttributes(descriptor, nullptr, 0);
    if (size < 0) {
        return errno == ENOTSUP ? std::optional(QList<QByteArray>()) : std::nullopt;
    }
    QByteArray names(size, '\0');
    const ssize_t listed = calls.listAttributes(descriptor, names.data(), size_t(names.size()));
    if (listed < 0) {
        return std::nullopt;
    }
    names.truncate(listed);
    QList<QByteArray> sorted = names.split('\0');
    sorted.removeAll(QByteArray());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

// Copies the extended attributes of the open file from, ACLs among them, to the open file to,
// and tells whether to now carries exactly those.
bool copyAttributes(int from, int to, const SaveCalls &calls)
{
    const auto names = attributeNames(from, calls);
    if (!names) {
        return false;
    }
    for (const QByteArray &name : *names) {
        QByteArray value(std::max<ssize_t>(getAttribute(from, name.constData(), nullptr, 0), 0),
                         '\0');
        if (getAttribute(from, name.constData(), value.data(), size_t(value.size())) !=
                value.size() ||
            setAttribute(to, name.constData(), value.constData(), size_t(value.size())) != 0) {
            return false;
        }
    }
    return attributeNames(to, calls) == names;
}

// Gives the file called from the name to, over the file there when replacing; otherwise only
// where no file has that name (EEXIST where one has), at once.
int renameFile(const char *from, const char *to, bool replacing)
{
    if (replacing) {
        return ::rename(from, to);
    }
#ifdef RENAME_NOREPLACE
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
#else
    errno = ENOSYS;
    return -1;
#endif
}

// File systems without owners or permissions (FAT, exFAT and NTFS through FUSE) refuse to set
// them; the new file still passes when it has the former file's already.
bool setOrUnsupported(int result)
{
    return result == 0 || errno == ENOSYS || errno == EPERM || errno == EOPNOTSUPP;
}

} // namespace

SaveCalls &SystemSaveCalls()
{
    static SaveCalls calls{::pwrite, ::ftruncate, renameFile, ::fchown, listAttributes, ::fsync};
    return calls;
}

bool TakeOverIdentity(QFile &former, QFile &created, const SaveCalls &calls)
{
    const int from = former.handle();
    const int to = created.handle();
    struct stat was = {};
    struct stat now = {};
    return ::fstat(from, &was) == 0 && was.st_nlink == 1 &&
           setOrUnsupported(calls.changeOwner(to, was.st_uid, was.st_gid)) &&
           setOrUnsupported(::fchmod(to, was.st_mode & 07777)) && copyAttributes(from, to, calls) &&
           ::fstat(to, &now) == 0 && now.st_uid == was.st_uid && now.st_gid == was.st_gid &&
           now.st_mode == was.st_mode;
}

FileProblem WriteFromStart(QFile &file, const QByteArray &bytes, const SaveCalls &calls)
{
    const int descriptor = file.handle();
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t count = calls.write(descriptor, bytes.constData() + written,
                                          size_t(bytes.size() - written), off_t(written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        // A write that takes nothing and names no error has found the disk full.
        if (count <= 0) {
            return SystemError(count == 0 ? ENOSPC : errno);
        }
        written += count;
    }
    return {};
}

// A file system may refuse to cut a file to its own size or more (fusefat does): a file just
// made, or one that held less, is cut not at all.
FileProblem CutAndFlush(QFile &file, qint64 size, const SaveCalls &calls)
{
    struct stat status = {};
    if (::fstat(file.handle(), &status) != 0 ||
        (status.st_size > size && calls.cut(file.handle(), off_t(size)) != 0) ||
        ::fsync(file.handle()) != 0) {
        return LastSystemError();
    }
    return {};
}

// A rename replaces the file there, or makes the name where there was none, at once. A name that
// is a mount point (a file bound over another, as containers do) or on another device takes no
// new file; where a file system cannot rename without replacing (FAT and exFAT through FUSE),
// the file is made under the name itself, which never replaces one either.
std::optional<SaveResult> PutInPlace(const QString &temporary, const QString &target,
                                     bool replacing, const SaveCalls &calls)
{
    if (calls.rename(NativeFileName(temporary).constData(), NativeFileName(target).constData(),
                     replacing) == 0) {
        return SaveResult{};
    }
    const int error = errno;
    if (replacing ? error == EBUSY || error == EXDEV
                  : error == EINVAL || error == ENOSYS || error == ENOTSUP) {
        return std::nullopt;
    }
    return SaveResult{SaveOutcome::Refused, SystemError(error)};
}

FileProblem SyncFolderOf(const QString &name, const SaveCalls &calls)
{
    const QByteArray file = NativeFileName(name);
    const QByteArray folder = file.left(std::max<qsizetype>(file.lastIndexOf('/'), 1));
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that may be written but not read (a drop box) cannot be opened to be synced: the
    // system writes its entries in its own time.
    if (descriptor < 0) {
        return errno == EACCES ? FileProblem() : LastSystemError();
    }
    // EINVAL: a file system that cannot sync a folder, where the entry is as safe as it gets.
    const bool synced = calls.flushFolder(descriptor) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(descriptor);
    return synced ? FileProblem() : SystemError(error);
}

FileProblem RemoveFile(const QString &name, const SaveCalls &)
{
    return ::unlink(NativeFileName(name).constData()) == 0 ? FileProblem() : LastSystemError();
}
