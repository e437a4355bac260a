#include "settingfile/filereplacer.h"

#ifdef Q_OS_LINUX

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// The file a chain of symbolic links ends at, whether it exists yet or not.
QString linkTarget(QString path)
{
    // As many links as the system follows before it gives up with ELOOP.
    for (int hop = 0; hop < 40 && QFileInfo(path).isSymLink(); ++hop) {
        path = QFileInfo(path).symLinkTarget();
    }
    return path;
}

QString systemError(int error = errno)
{
    return qt_error_string(error);
}

// Writes bytes from the start of the file; returns how many were written, all of them unless the
// write failed.
qsizetype writeFromStart(int descriptor, const QByteArray &bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count =
            ::pwrite(descriptor, bytes.constData() + written, bytes.size() - written, written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            errno = count == 0 ? ENOSPC : errno;
            break;
        }
        written += count;
    }
    return written;
}

bool writeAll(int descriptor, const QByteArray &bytes)
{
    return writeFromStart(descriptor, bytes) == bytes.size();
}

bool readAll(int descriptor, QByteArray &bytes)
{
    char buffer[16 * 1024];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, count);
        } else if (count == 0) {
            return true;
        } else if (errno != EINTR) {
            return false;
        }
    }
}

// The names of a file's extended attributes, sorted; nothing when they cannot be listed.
template <typename List> std::optional<QList<QByteArray>> attributeNames(List list)
{
    const ssize_t size = list(nullptr, 0);
    if (size < 0) {
        return errno == ENOTSUP ? std::optional(QList<QByteArray>()) : std::nullopt;
    }
    QByteArray names(size, '\0');
    const ssize_t listed = list(names.data(), names.size());
    if (listed < 0) {
        return std::nullopt;
    }
    names.truncate(listed);
    QList<QByteArray> sorted = names.split('\0');
    sorted.removeAll(QByteArray());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

// Copies the extended attributes of the file at from, ACLs among them, to the open file to, and
// tells whether to now carries exactly those.
bool copyAttributes(const QByteArray &from, int to)
{
    const auto names = attributeNames(
        [&](char *list, size_t size) { return ::listxattr(from.constData(), list, size); });
    if (!names) {
        return false;
    }
    for (const QByteArray &name : *names) {
        const char *file = from.constData();
        QByteArray value(std::max<ssize_t>(::getxattr(file, name.constData(), nullptr, 0), 0),
                         '\0');
        if (::getxattr(file, name.constData(), value.data(), value.size()) != value.size() ||
            ::fsetxattr(to, name.constData(), value.constData(), value.size(), 0) != 0) {
            return false;
        }
    }
    return attributeNames([&](char *list, size_t size) { return ::flistxattr(to, list, size); }) ==
           names;
}

// Gives the open new file the owner, group, permissions and extended attributes of the former
// file, and tells whether it now has exactly those.
bool takeOverIdentity(int descriptor, const QByteArray &former, const struct stat &formerStatus)
{
    struct stat status = {};
    return ::fchown(descriptor, formerStatus.st_uid, formerStatus.st_gid) == 0 &&
           ::fchmod(descriptor, formerStatus.st_mode & 07777) == 0 &&
           copyAttributes(former, descriptor) && ::fstat(descriptor, &status) == 0 &&
           status.st_uid == formerStatus.st_uid && status.st_gid == formerStatus.st_gid &&
           status.st_mode == formerStatus.st_mode;
}

// Creates an empty file beside target under a name that no file has. It is made as target
// itself would be, so a new file gets the permissions and ACL that the folder gives new files.
// Returns its descriptor, or -1.
int createBeside(const QByteArray &target, QByteArray &name)
{
    constexpr quint32 SixDigitsBase36 = 36u * 36 * 36 * 36 * 36 * 36;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint32 tag = QRandomGenerator::global()->bounded(SixDigitsBase36);
        name = target + '.' + QByteArray::number(tag, 36).rightJustified(6, '0');
        const int descriptor =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) {
            return descriptor;
        }
    }
    return -1;
}

// Writes bytes to a new file beside target and renames it over target, where the renamed file
// is the same file as the former one. Nothing when target is to be written in place.
std::optional<QString> replaceThroughRename(const QByteArray &target, const QByteArray &bytes)
{
    struct stat former = {};
    const bool exists = ::stat(target.constData(), &former) == 0;
    if (exists ? !S_ISREG(former.st_mode) || former.st_nlink != 1 ||
                     ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0
               : errno != ENOENT) {
        return std::nullopt;
    }
    QByteArray temporary;
    const int descriptor = createBeside(target, temporary);
    if (descriptor < 0) {
        return std::nullopt;
    }
    const bool sameFile = !exists || takeOverIdentity(descriptor, target, former);
    QString error;
    if (sameFile && (!writeAll(descriptor, bytes) || ::fsync(descriptor) != 0)) {
        error = systemError();
    }
    if (::close(descriptor) != 0 && sameFile && error.isEmpty()) {
        error = systemError();
    }
    if (sameFile && error.isEmpty() && ::rename(temporary.constData(), target.constData()) == 0) {
        return QString();
    }
    ::unlink(temporary.constData());
    return error.isEmpty() ? std::nullopt : std::optional(error);
}

// Overwrites the open file with bytes; puts the former bytes back if that fails.
QString overwrite(int descriptor, const QByteArray &bytes)
{
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0) {
        return systemError();
    }
    if (!S_ISREG(status.st_mode)) {
        return QStringLiteral("Not a regular file");
    }
    QByteArray former;
    if (!readAll(descriptor, former)) {
        return systemError();
    }
    const qsizetype written = writeFromStart(descriptor, bytes);
    if (written == bytes.size() && ::ftruncate(descriptor, bytes.size()) == 0 &&
        ::fsync(descriptor) == 0) {
        return {};
    }
    const QString error = systemError();
    // Only what was overwritten goes back, which needs no room that the former bytes did not
    // have: a full disk does not stop it.
    const QByteArray overwritten = former.left(written);
    if (writeFromStart(descriptor, overwritten) == overwritten.size() &&
        ::ftruncate(descriptor, former.size()) == 0) {
        return error;
    }
    return error + QStringLiteral(" (the former content could not be put back)");
}

// Writes bytes into target itself, which keeps its links, owner, permissions and attributes.
QString writeInPlace(const QByteArray &target, const QByteArray &bytes)
{
    bool created = false;
    int descriptor = ::open(target.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0 && errno == ENOENT) {
        descriptor = ::open(target.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = descriptor >= 0;
    }
    if (descriptor < 0) {
        return systemError();
    }
    QString error = overwrite(descriptor, bytes);
    if (::close(descriptor) != 0 && error.isEmpty()) {
        error = systemError();
    }
    if (!error.isEmpty() && created) {
        ::unlink(target.constData());
    }
    return error;
}

} // namespace

QString ReplaceFileContent(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(linkTarget(path));
    if (const std::optional<QString> replaced = replaceThroughRename(target, bytes)) {
        return *replaced;
    }
    return writeInPlace(target, bytes);
}

#else

#include <QSaveFile>

// Elsewhere the new content always goes through a new file renamed over the old one.
QString ReplaceFileContent(const QString &path, const QByteArray &bytes)
{
    // Unbuffered, because a buffered QSaveFile commits a short write (a full disk) as success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        return file.errorString();
    }
    return {};
}

#endif
