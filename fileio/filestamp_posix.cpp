// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/filestamp.h"

#include "fileio/nativefilename.h"

#include <sys/stat.h>

#ifdef __linux__
#include <sys/vfs.h>
#endif

namespace
{

// Whether the file system that holds the file called name keeps a file's number while the file
// stays. FAT and exFAT have no such numbers: Linux's drivers and those through FUSE number a file
// anew whenever the kernel has forgotten it, and other FUSE drivers may do the same.
bool keepsFileNumbers([[maybe_unused]] const char *name)
{
#ifdef __linux__
    constexpr decltype(statfs::f_type) Fuse = 0x65735546, Fat = 0x4d44, ExFat = 0x2011bab0;
    struct statfs system = {};
    return ::statfs(name, &system) != 0 ||
           (system.f_type != Fuse && system.f_type != Fat && system.f_type != ExFat);
#else
    return true;
#endif
}

} // namespace

std::optional<FileStamp> StampOfFile(const QString &path)
{
    const QByteArray name = NativeFileName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileStamp{
        .device = quint64(status.st_dev),
        .file = keepsFileNumbers(name.constData()) ? quint64(status.st_ino) : 0,
        .size = qint64(status.st_size),
        .modified = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
    };
}
