// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include "fileio/fileproblem.h"
#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QString>

// The one place where what the reader, the writer and a save report becomes the words an
// operator reads: the program's own through QCoreApplication::translate, the system's as the
// system gave them.

// An error box's text, and under it the file's name, on one line, and the reason.
struct ErrorMessage {
    QString message;
    QString detail;
};
ErrorMessage ErrorMessageOf(const QString &path, const ReadProblem &problem);
ErrorMessage ErrorMessageOf(const QString &path, const WriteResult &result);

// Why a file was refused, without the line it is in ("\"X\" is not a mode this program knows.")
// and with it ("Line 2: ...").
QString ReasonOf(const ReadProblem &problem);
QString ReasonWithLineOf(const ReadProblem &problem);
QString ReasonOf(const WriteResult &result);
QString ReasonOf(const FileProblem &problem);
