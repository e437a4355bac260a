#pragma once

#include <QString>

// Path splitting. Both return an empty text on success, otherwise the message to show.
// The separator is the platform's own: '\' on Windows, '/' elsewhere.

// fileName receives everything after the last separator; on failure it is left untouched.
QString ExtractFileName(const QString &path, QString &fileName);

// folder receives everything before the last separator (always set: empty on failure).
// On Windows a path that starts with a separator (a network or drive-relative path) has no
// usable folder; elsewhere such a path is absolute and the folder of "/a.zel" is "/".
QString ExtractFolder(const QString &path, QString &folder);

inline const QString FilePathError = QStringLiteral("File Path Error");
inline const QString UnknownError = QStringLiteral("Unknown Error!");
