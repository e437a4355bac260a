#include "settingfile/filereplacer.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

std::function<QByteArray(const QByteArray &)> WriteFault;

namespace {

const QString NotKept = QStringLiteral("The file system did not keep what was written");
const QString NotPutBack = QStringLiteral(" (the former content could not be put back)");

QByteArray kept(const QByteArray &bytes)
{
    return WriteFault ? WriteFault(bytes) : bytes;
}

// Reads the file at path through a handle of its own, so that the file system answers and not
// what a writing handle left behind. Returns the system's account of a failure.
QString readBack(const QString &path, QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        content = file.readAll();
    }
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

// Reads the file at path back; returns why it does not hold bytes, or an empty text.
QString mismatch(const QString &path, const QByteArray &bytes)
{
    QByteArray content;
    const QString error = readBack(path, content);
    return !error.isEmpty() || content == bytes ? error : NotKept;
}

} // namespace

#ifdef Q_OS_LINUX

#include <QList>
#include <QRandomGenerator>

#include <algorithm>
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

// Writes bytes from the start of the file; tells whether all were written.
bool writeFromStart(int descriptor, const QByteArray &bytes)
{
    const QByteArray handed = kept(bytes);
    qsizetype written = 0;
    while (written < handed.size()) {
        const ssize_t count =
            ::pwrite(descriptor, handed.constData() + written, handed.size() - written, written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            errno = count == 0 ? ENOSPC : errno;
            return false;
        }
        written += count;
    }
    return true;
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

// File systems without owners or permissions (FAT, exFAT and NTFS through FUSE) refuse to set
// them; the new file still passes when it has the former file's already.
bool setOrUnsupported(int result)
{
    return result == 0 || errno == ENOSYS || errno == EPERM || errno == EOPNOTSUPP;
}

// Gives the open new file the owner, group, permissions and extended attributes of the former
// file, and tells whether it now has exactly those.
bool takeOverIdentity(int descriptor, const QByteArray &former, const struct stat &formerStatus)
{
    struct stat status = {};
    return setOrUnsupported(::fchown(descriptor, formerStatus.st_uid, formerStatus.st_gid)) &&
           setOrUnsupported(::fchmod(descriptor, formerStatus.st_mode & 07777)) &&
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

// Writes bytes into the new file called name, closes it and reads it back. Returns the reason
// of a failure.
QString fill(int descriptor, const QByteArray &name, const QByteArray &bytes)
{
    QString error;
    if (!writeFromStart(descriptor, bytes) || ::fsync(descriptor) != 0) {
        error = systemError();
    }
    if (::close(descriptor) != 0 && error.isEmpty()) {
        error = systemError();
    }
    return error.isEmpty() ? mismatch(QFile::decodeName(name), bytes) : error;
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
    if (exists && !takeOverIdentity(descriptor, target, former)) {
        ::close(descriptor);
        ::unlink(temporary.constData());
        return std::nullopt;
    }
    const QString error = fill(descriptor, temporary, bytes);
    if (error.isEmpty() && ::rename(temporary.constData(), target.constData()) == 0) {
        return error;
    }
    ::unlink(temporary.constData());
    return error.isEmpty() ? std::nullopt : std::optional(error);
}

// Overwrites the open file called target with bytes and reads it back; puts the former bytes
// back if that fails.
QString overwrite(int descriptor, const QByteArray &target, const QByteArray &bytes)
{
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0) {
        return systemError();
    }
    if (!S_ISREG(status.st_mode)) {
        return QStringLiteral("Not a regular file");
    }
    // Read through a handle of its own: a file system (FAT through FUSE) may drop a write that
    // follows a read on the same one.
    const QString name = QFile::decodeName(target);
    QByteArray former;
    if (const QString error = readBack(name, former); !error.isEmpty()) {
        return error;
    }
    const bool written = writeFromStart(descriptor, bytes) &&
                         ::ftruncate(descriptor, bytes.size()) == 0 && ::fsync(descriptor) == 0;
    const QString error = written ? mismatch(name, bytes) : systemError();
    if (error.isEmpty()) {
        return error;
    }
    // The former bytes go where they were, which needs no room that they did not have, so a full
    // disk does not stop them; whether they are back shows in what the file holds.
    writeFromStart(descriptor, former);
    ::ftruncate(descriptor, former.size());
    return ::fsync(descriptor) == 0 && mismatch(name, former).isEmpty() ? error
                                                                        : error + NotPutBack;
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
    QString error = overwrite(descriptor, target, bytes);
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

#include <cstring>

namespace {

// Puts bytes in the file at path through a new file renamed over it.
QString saveThroughNewFile(const QString &path, const QByteArray &bytes)
{
    // Unbuffered, because a buffered QSaveFile commits a short write (a full disk) as success.
    QSaveFile file(path);
    const QByteArray handed = kept(bytes);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(handed) != handed.size() || !file.commit()) {
        return file.errorString();
    }
    return {};
}

} // namespace

// Elsewhere the new content always goes through a new file renamed over the old one.
QString ReplaceFileContent(const QString &path, const QByteArray &bytes)
{
    if (QFileInfo(path).isDir()) {
        return QString::fromLocal8Bit(std::strerror(EISDIR));
    }
    const bool existed = QFileInfo::exists(path);
    QByteArray former;
    QString error = existed ? readBack(path, former) : QString();
    if (error.isEmpty()) {
        error = saveThroughNewFile(path, bytes);
    }
    if (!error.isEmpty()) {
        return error;
    }
    error = mismatch(path, bytes);
    if (error.isEmpty()) {
        return error;
    }
    // The new file has taken the place of the former one already: the former bytes go back, or
    // the file goes where there was none.
    const bool putBack =
        existed ? saveThroughNewFile(path, former).isEmpty() && mismatch(path, former).isEmpty()
                : QFile::remove(path);
    return putBack ? error : error + NotPutBack;
}

#endif
