// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/regularfile.h"

#include "fileio/nativefilename.h"
#include "fileio/systemerror.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// As many links as Linux follows in one path before it gives up with ELOOP.
constexpr int MostLinks = 40;

// The real path of an existing folder, ending in '/'; nothing, with errno set, on a failure.
std::optional<QByteArray> realFolder(const QByteArray &folder)
{
    char *real = ::realpath(folder.constData(), nullptr);
    if (!real) {
        return std::nullopt;
    }
    QByteArray path(real);
    std::free(real);
    return path.endsWith('/') ? path : path + '/';
}

// What the symbolic link called name holds; nothing when name is no link.
std::optional<QByteArray> linkText(const QByteArray &name)
{
    QByteArray text(256, '\0');
    for (;;) {
        const ssize_t size = ::readlink(name.constData(), text.data(), size_t(text.size()));
        if (size < 0) {
            return std::nullopt;
        }
        if (size < text.size()) {
            text.truncate(size);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

// Hands the open descriptor to file, which closes it; closes it itself on a failure.
FileProblem adopt(int descriptor, QIODevice::OpenMode mode, QFile &file)
{
    if (file.open(descriptor, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        return {};
    }
    ::close(descriptor);
    return FileProblem::system(file.errorString());
}

// Opens native, which looked describes, when it is a regular file, and only when the open reaches
// the very file looked at: without blocking, so that a pipe swapped in meanwhile cannot hang.
FileProblem openLookedAt(const QByteArray &native, const struct stat &looked,
                         QIODevice::OpenMode mode, int flags, QFile &file)
{
    if (!S_ISREG(looked.st_mode)) {
        return S_ISDIR(looked.st_mode) ? FolderError()
                                       : FileProblem{.kind = FileProblem::Kind::NotRegularFile};
    }
    const int access = mode & QIODevice::WriteOnly ? O_RDWR : O_RDONLY;
    const int descriptor =
        ::open(native.constData(), access | flags | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return LastSystemError();
    }
    struct stat opened = {};
    FileProblem failure;
    if (::fstat(descriptor, &opened) != 0 ||
        ::fcntl(descriptor, F_SETFL, 0) != 0) { // of the flags it sets, only O_NONBLOCK was on
        failure = LastSystemError();
    } else if (opened.st_dev != looked.st_dev || opened.st_ino != looked.st_ino) {
        failure = {.kind = FileProblem::Kind::NotRegularFile};
    } else {
        return adopt(descriptor, mode, file);
    }
    ::close(descriptor);
    return failure;
}

} // namespace

FileProblem ResolveFileName(const QString &path, QString &resolved)
{
    QByteArray name = NativeFileName(path);
    if (name.isEmpty()) {
        return SystemError(ENOENT);
    }
    for (int hop = 0; hop <= MostLinks; ++hop) {
        const qsizetype slash = name.lastIndexOf('/');
        const auto folder =
            realFolder(slash < 0 ? QByteArray(".") : name.left(std::max<qsizetype>(slash, 1)));
        if (!folder) {
            return LastSystemError();
        }
        const QByteArray entry = *folder + name.mid(slash + 1);
        const auto target = linkText(entry);
        if (!target) {
            resolved = FileNameFromNative(entry);
            return {};
        }
        name = target->startsWith('/') ? *target : *folder + *target;
    }
    return SystemError(ELOOP);
}

FileProblem OpenRegularFile(const QString &name, QIODevice::OpenMode mode, QFile &file,
                            bool *absent)
{
    const QByteArray native = NativeFileName(name);
    struct stat looked = {};
    if (::lstat(native.constData(), &looked) != 0) {
        if (absent) {
            *absent = errno == ENOENT;
        }
        return LastSystemError();
    }
    return openLookedAt(native, looked, mode, O_NOFOLLOW, file);
}

FileProblem OpenToRead(const QString &path, QFile &file)
{
    const QByteArray native = NativeFileName(path);
    struct stat looked = {};
    if (native.isEmpty() || ::stat(native.constData(), &looked) != 0) {
        return native.isEmpty() ? SystemError(ENOENT) : LastSystemError();
    }
    return openLookedAt(native, looked, QIODevice::ReadOnly, 0, file);
}

FileProblem CreateNewFile(const QString &name, QFile &file)
{
    const int descriptor = ::open(NativeFileName(name).constData(),
                                  O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    return descriptor < 0 ? LastSystemError() : adopt(descriptor, QIODevice::ReadWrite, file);
}
