// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "fileio/fileproblem.h"

#include <QByteArray>
#include <QString>

// What a save did, and why where it did not save: the system's account of the failure, or that
// the file system did not keep the bytes.
enum class SaveOutcome {
    Saved,             // the file holds the bytes, on the disk
    Refused,           // the file holds what it held before, or there is still no file
    FormerContentLost, // refused, and the former content could not be put back
    Unconfirmed,       // the file holds the bytes; the system did not confirm they are on the disk
};
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    FileProblem problem; // none when saved
};

// Puts bytes in place of the content of the file that opening path reaches, or creates that
// file. Links are followed as the system follows them, so a link stays a link and the file it
// leads to takes the bytes; a name that is not a regular file (a folder, a pipe, a device) is
// refused without being opened.
//
// Where a new file can take the place of the old one and be the same file to everyone who uses
// it (one link, and an owner, group, permissions and extended attributes, ACLs included, on
// POSIX systems; the attributes and one link on Windows, where ReplaceFileW keeps the ACL and
// named streams), the bytes go through a new file beside it, so the file is never seen half
// written; otherwise, or where the folder refuses a new file, they are written into the file
// itself, and the former bytes are written back if that fails.
//
// Either way the file is read back through a handle of its own, and the save is done only when
// it holds the bytes: this catches a file system that drops or cuts writes and still answers
// success, not a medium that loses what it once held. The bytes are flushed to the disk before
// the new file takes the old one's place, and on POSIX systems the folder after it.
// No file but the one saved is left behind.
SaveResult ReplaceFileContent(const QString &path, const QByteArray &bytes);
