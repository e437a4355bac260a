// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "fileio/filereplacer.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

// What a save asks of the system, one implementation a system (filereplacer_posix.cpp,
// filereplacer_win.cpp); the policy in filereplacer.cpp decides with it what goes where.

// The calls through which a save writes a file and gives a new file the former one's owner and
// attributes (see filereplacer_posix.h), or on Windows puts it in place (filereplacer_win.h).
// Tests hand their own to play a file system that loses writes, or that has no owners or
// extended attributes, or a file that another program holds, or change the system's for a
// whole run.
struct SaveCalls;
SaveCalls &SystemSaveCalls();

// ReplaceFileContent through the given calls.
SaveResult ReplaceFileContent(const QString &path, const QByteArray &bytes, const SaveCalls &calls);

// Gives the new file created what makes the open file former the same file to those who use it,
// and tells whether created has all of that now; never for a file with other hard links.
bool TakeOverIdentity(QFile &former, QFile &created, const SaveCalls &calls);
// Writes bytes from the start of the open file, over what it holds.
FileProblem WriteFromStart(QFile &file, const QByteArray &bytes, const SaveCalls &calls);
// Cuts the open file to size bytes and returns once the disk holds what it holds.
FileProblem CutAndFlush(QFile &file, qint64 size, const SaveCalls &calls);
// A name for a new file beside target: target's own and six random letters or digits.
QString BesideName(const QString &target);
// Puts the closed file temporary in place of target: over the file there when replacing, and
// otherwise never over one that has appeared meanwhile. Saved, or Unconfirmed with the file that
// still holds the former content; Refused with target as it was and temporary still there; or
// FormerContentLost with the files that hold both contents. Nothing where the name takes no new
// file (a mount point, another device), or none without replacing a file that may have appeared
// there: target is as it was, temporary still there, and the content is to be written into
// target (or into a file made under its name).
std::optional<SaveResult> PutInPlace(const QString &temporary, const QString &target,
                                     bool replacing, const SaveCalls &calls);
// Returns once the disk holds the folder entry of the file called name, which has just been
// made or renamed.
FileProblem SyncFolderOf(const QString &name, const SaveCalls &calls);
// Removes the file called name, which the save made.
FileProblem RemoveFile(const QString &name, const SaveCalls &calls);
