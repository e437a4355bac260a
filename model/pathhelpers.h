// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// Path splitting. Both return an empty text on success, otherwise the message to show.

// How a platform writes paths: its separator, and whether a path that starts with one is an
// ordinary absolute path ("/a.zel") or has no usable folder (a Windows network or
// drive-relative path such as "\\server\share\a.zel" or "\a.zel").
struct PathStyle {
    QChar separator;
    bool leadingSeparatorIsRoot;
};
inline constexpr PathStyle WindowsPaths{u'\\', false};
inline constexpr PathStyle UnixPaths{u'/', true};

// fileName receives everything after the last separator; on failure it is left untouched.
QString ExtractFileName(const QString &path, QString &fileName, PathStyle style);
// folder receives everything before the last separator (always set: empty on failure).
QString ExtractFolder(const QString &path, QString &folder, PathStyle style);

// The same with the platform's own paths.
QString ExtractFileName(const QString &path, QString &fileName);
QString ExtractFolder(const QString &path, QString &folder);

// Text from outside, a name or what a file holds, as one line of text that can neither write to
// a terminal nor reorder the text around it: each control character (C0 and DEL) and each byte
// of a name that did not decode (see fileio/nativefilename.h) shown as \xHH; a C1 control, a line
// or paragraph separator, a direction mark, embedding, override or isolate, a byte-order mark
// and a lone surrogate as \uHHHH; and off Windows a backslash as \\, so that the form reads back
// unambiguously. The one routine for all of it.
QString PrintableText(QStringView text);
// A path as PrintableText shows it, and an empty one as '', so that it shows at all.
QString PrintableFileName(const QString &path);

inline const QString FilePathError = QStringLiteral("File Path Error");
inline const QString UnknownError = QStringLiteral("Unknown Error!");
