#pragma once

#include <QByteArray>
#include <QString>

// Puts bytes in place of the content of the file at path, or creates the file. A symbolic link
// stays a link and the file it leads to takes the bytes. Where a new file renamed over the old
// one would be the same file to everyone who uses it (one link, and an owner, group, permissions
// and extended attributes, ACLs included, that the new file can be given) the bytes go through
// such a file, so the target is never seen half written; otherwise they are written into the
// file itself, and the former bytes are put back if that fails. Returns an empty text on success,
// otherwise the system's account of the failure; the file then holds what it held before, and no
// other file is left behind.
QString ReplaceFileContent(const QString &path, const QByteArray &bytes);
