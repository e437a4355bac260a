// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <sys/types.h>

// The system calls of a save on a POSIX system that a test may stand in for: writing at an
// offset (pwrite), cutting a file (ftruncate), renaming a file over another or to a name that no
// file has (rename, renameat2 with RENAME_NOREPLACE on Linux), giving a file an owner and group
// (fchown), listing its extended attributes (flistxattr on Linux) and flushing a folder's
// entries (fsync).
struct SaveCalls {
    std::function<ssize_t(int descriptor, const void *data, size_t size, off_t offset)> write;
    std::function<int(int descriptor, off_t size)> cut;
    std::function<int(const char *from, const char *to, bool replacing)> rename;
    std::function<int(int descriptor, uid_t owner, gid_t group)> changeOwner;
    std::function<ssize_t(int descriptor, char *names, size_t size)> listAttributes;
    std::function<int(int folderDescriptor)> flushFolder;
};
