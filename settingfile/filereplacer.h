#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Puts bytes in place of the content of the file at path, or creates the file. A symbolic link
// stays a link and the file it leads to takes the bytes. Where a new file renamed over the old
// one would be the same file to everyone who uses it (one link, and an owner, group, permissions
// and extended attributes, ACLs included, that the new file has or can be given) the bytes go
// through such a file, so the target is never seen half written; otherwise they are written into
// the file itself. Either way the file is read back, and the save is done only when it holds the
// bytes. Returns an empty text on success, otherwise the reason: the system's account of the
// failure, or that the file system did not keep the bytes. The file then holds what it held
// before, unless the reason adds that the former content could not be put back, and no other
// file is left behind.
QString ReplaceFileContent(const QString &path, const QByteArray &bytes);

// Given the bytes that a save hands the file system, gives those it keeps. Unset, it keeps them
// all; tests set it to play a file system that loses writes and still answers success.
extern std::function<QByteArray(const QByteArray &)> WriteFault;
