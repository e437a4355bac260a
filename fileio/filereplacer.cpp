// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/filereplacer.h"

#include "fileio/filereplacer_p.h"
#include "fileio/regularfile.h"

#include <QRandomGenerator>

#include <optional>

namespace
{

const QString NotKept = QStringLiteral("The file system did not keep what was written");
const QString NotPutBack = QStringLiteral(" (the former content could not be put back)");

// Reads the file called name through a handle of its own, so that the file system answers and
// not what a writing handle left behind. Returns the reason of a failure.
QString readBack(const QString &name, QByteArray &content)
{
    QFile file;
    if (const QString error = OpenRegularFile(name, QIODevice::ReadOnly, file); !error.isEmpty()) {
        return error;
    }
    content = file.readAll();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

// Reads the file called name back; returns why it does not hold bytes, or an empty text.
QString mismatch(const QString &name, const QByteArray &bytes)
{
    QByteArray content;
    const QString error = readBack(name, content);
    return !error.isEmpty() || content == bytes ? error : NotKept;
}

// Makes bytes the whole content of the open file called name, on the disk, and reads it back.
// Returns why the file does not hold them, or an empty text.
QString writeChecked(QFile &file, const QString &name, const QByteArray &bytes,
                     const SaveCalls &calls)
{
    QString error = WriteFromStart(file, bytes, calls);
    if (error.isEmpty()) {
        error = CutAndFlush(file, bytes.size());
    }
    return error.isEmpty() ? mismatch(name, bytes) : error;
}

// A name for a new file beside target: target's own and six random letters or digits. Should a
// file have that name already, which is about one chance in two thousand million, the save
// writes in place.
QString besideName(const QString &target)
{
    constexpr quint32 SixDigitsBase36 = 36u * 36 * 36 * 36 * 36 * 36;
    const quint32 tag = QRandomGenerator::global()->bounded(SixDigitsBase36);
    return target + u'.' + QString::number(tag, 36).rightJustified(6, u'0');
}

// Writes bytes to a new file beside target that takes its place, where the new file can be the
// same file to everyone as former (null: there is no file yet). Nothing when target is to be
// written in place: the folder refuses new files, a name too long for the new one's, or an
// identity that the new file cannot take over.
std::optional<QString> replaceThroughNewFile(const QString &target, QFile *former,
                                             const QByteArray &bytes, const SaveCalls &calls)
{
    const QString temporary = besideName(target);
    QFile created;
    if (!CreateNewFile(temporary, created).isEmpty()) {
        return std::nullopt;
    }
    if (former && !TakeOverIdentity(*former, created, calls)) {
        created.close();
        RemoveFile(temporary);
        return std::nullopt;
    }
    QString error = writeChecked(created, temporary, bytes, calls);
    created.close();
    if (former) {
        former->close(); // Windows replaces only a file that no handle holds
    }
    bool formerGone = false;
    if (error.isEmpty()) {
        error = PutInPlace(temporary, target, former != nullptr, formerGone);
    }
    if (error.isEmpty()) {
        // The new file holds the name now: a former one is gone, and a name that was free before
        // is freed again, as for a file made in place.
        if (error = SyncFolderOf(target, calls); !error.isEmpty()) {
            formerGone = former != nullptr;
            if (!former) {
                RemoveFile(target);
                return error;
            }
        }
    }
    if (formerGone) {
        return error + NotPutBack;
    }
    if (!error.isEmpty()) {
        RemoveFile(temporary);
    }
    return error;
}

// Writes bytes into the open file called target itself, which keeps its links, owner,
// permissions and attributes; puts the former bytes back if that fails.
QString overwrite(QFile &file, const QString &target, const QByteArray &bytes,
                  const SaveCalls &calls)
{
    // Read through a handle of its own: a file system (FAT through FUSE) may drop a write that
    // follows a read on the same one.
    QByteArray former;
    if (const QString error = readBack(target, former); !error.isEmpty()) {
        return error;
    }
    const QString error = writeChecked(file, target, bytes, calls);
    if (error.isEmpty()) {
        return error;
    }
    // The former bytes go where they were, which needs no room that they did not have: a write
    // that stops part of the way (at a size limit) may still leave them all there. What the file
    // holds tells whether they are back.
    WriteFromStart(file, former, calls);
    const bool back =
        CutAndFlush(file, former.size()).isEmpty() && mismatch(target, former).isEmpty();
    return back ? error : error + NotPutBack;
}

// Creates target and writes bytes into it; a failure leaves no file.
QString createInPlace(const QString &target, const QByteArray &bytes, const SaveCalls &calls)
{
    QFile file;
    if (const QString error = CreateNewFile(target, file); !error.isEmpty()) {
        return error;
    }
    QString error = writeChecked(file, target, bytes, calls);
    file.close();
    if (error.isEmpty()) {
        error = SyncFolderOf(target, calls);
    }
    if (!error.isEmpty()) {
        RemoveFile(target);
    }
    return error;
}

} // namespace

QString ReplaceFileContent(const QString &path, const QByteArray &bytes, const SaveCalls &calls)
{
    QString target;
    if (const QString error = ResolveFileName(path, target); !error.isEmpty()) {
        return error;
    }
    QFile former;
    bool absent = false;
    if (const QString error = OpenRegularFile(target, QIODevice::ReadWrite, former, &absent);
        !error.isEmpty() && !absent) {
        return error;
    }
    if (const auto replaced =
            replaceThroughNewFile(target, absent ? nullptr : &former, bytes, calls)) {
        return *replaced;
    }
    return absent ? createInPlace(target, bytes, calls) : overwrite(former, target, bytes, calls);
}

QString ReplaceFileContent(const QString &path, const QByteArray &bytes)
{
    return ReplaceFileContent(path, bytes, SystemSaveCalls());
}
