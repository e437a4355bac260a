// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's arguments as the system holds them, its own name first: on POSIX argv's bytes,
// with any file name kept whole (see fileio/nativefilename.h); on Windows the wide
// command line, of which argv keeps only what the ANSI code page can hold.
QStringList ProgramArguments(int argc, char *argv[]);

// An argument in the form argv holds it, to hand Qt's own options on to QApplication.
QByteArray ArgumentBytes(const QString &argument);

// A file name from the command line made absolute against the current folder, as the system
// holds both (a relative one is kept where there is no current folder). Nothing is tidied:
// "a/../b" is the kernel's to resolve.
QString AbsoluteFileName(const QString &name);

// The files that a name given to --check stands for. On Windows, whose shells leave wildcards
// to the program, * and ? in the name's last part match the files of that folder (sorted, hidden
// ones left out, as dir does), and a pattern that matches nothing stands for no file. Elsewhere
// the shell has expanded them, and a name stands for itself.
QStringList FilesNamedBy(const QString &name);
