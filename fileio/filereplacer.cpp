// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/filereplacer.h"

#include "fileio/filereplacer_p.h"
#include "fileio/regularfile.h"

#include <QRandomGenerator>

#include <optional>

namespace
{

const FileProblem NotKept{.kind = FileProblem::Kind::NotKept};

SaveResult refused(const FileProblem &problem)
{
    return {SaveOutcome::Refused, problem};
}

// Reads the file called name through a handle of its own, so that the file system answers and
// not what a writing handle left behind.
FileProblem readBack(const QString &name, QByteArray &content)
{
    QFile file;
    if (const FileProblem problem = OpenRegularFile(name, QIODevice::ReadOnly, file)) {
        return problem;
    }
    content = file.readAll();
    return file.error() == QFileDevice::NoError ? FileProblem()
                                                : FileProblem::system(file.errorString());
}

// Reads the file called name back; returns why it does not hold bytes.
FileProblem mismatch(const QString &name, const QByteArray &bytes)
{
    QByteArray content;
    const FileProblem problem = readBack(name, content);
    return problem || content == bytes ? problem : NotKept;
}

// Makes bytes the whole content of the open file called name, on the disk, and reads it back.
// Returns why the file does not hold them.
FileProblem writeChecked(QFile &file, const QString &name, const QByteArray &bytes,
                         const SaveCalls &calls)
{
    FileProblem problem = WriteFromStart(file, bytes, calls);
    if (!problem) {
        problem = CutAndFlush(file, bytes.size(), calls);
    }
    return problem ? problem : mismatch(name, bytes);
}

// A file that holds the bytes under its name: done once the folder entry is on the disk too.
// Otherwise the file stays, as it holds what was asked, and the save says what is not known.
SaveResult confirmed(const QString &target, const SaveCalls &calls)
{
    const FileProblem problem = SyncFolderOf(target, calls);
    return {problem ? SaveOutcome::Unconfirmed : SaveOutcome::Saved, problem};
}

// A save that did not save, without the file called made that it made: named in the result
// where it cannot be removed.
SaveResult withoutFile(SaveResult result, const QString &made, const SaveCalls &calls)
{
    if (RemoveFile(made, calls)) {
        result.newContentIn = made;
    }
    return result;
}

// Nothing, so that the file is written in place, once the file called made that the save made
// is gone; a save refused, naming that file, where it cannot be removed.
std::optional<SaveResult> inPlaceWithout(const QString &made, const SaveCalls &calls)
{
    if (const FileProblem problem = RemoveFile(made, calls)) {
        return SaveResult{SaveOutcome::Refused, problem, {}, made};
    }
    return std::nullopt;
}

// Writes bytes to a new file beside target that takes its place, where the new file can be the
// same file to everyone as former (null: there is no file yet). Nothing when target is to be
// written in place: the folder refuses new files, a name too long for the new one's, an
// identity that the new file cannot take over, or a name that takes no new file.
std::optional<SaveResult> replaceThroughNewFile(const QString &target, QFile *former,
                                                const QByteArray &bytes, const SaveCalls &calls)
{
    const QString temporary = BesideName(target);
    QFile created;
    if (CreateNewFile(temporary, created)) {
        return std::nullopt;
    }
    if (former && !TakeOverIdentity(*former, created, calls)) {
        created.close();
        return inPlaceWithout(temporary, calls);
    }
    const FileProblem problem = writeChecked(created, temporary, bytes, calls);
    created.close();
    if (former) {
        former->close(); // Windows replaces only a file that no handle holds
    }
    const std::optional<SaveResult> result =
        problem ? refused(problem) : PutInPlace(temporary, target, former != nullptr, calls);
    if (!result) {
        return inPlaceWithout(temporary, calls);
    }
    if (result->outcome == SaveOutcome::Saved) {
        return confirmed(target, calls);
    }
    return result->outcome == SaveOutcome::Refused ? withoutFile(*result, temporary, calls)
                                                   : *result;
}

// Writes bytes into the open file called target itself, which keeps its links, owner,
// permissions and attributes; puts the former bytes back if that fails.
SaveResult overwrite(QFile &file, const QString &target, const QByteArray &bytes,
                     const SaveCalls &calls)
{
    // Read through a handle of its own: a file system (FAT through FUSE) may drop a write that
    // follows a read on the same one.
    QByteArray former;
    if (const FileProblem problem = readBack(target, former)) {
        return refused(problem);
    }
    const FileProblem problem = writeChecked(file, target, bytes, calls);
    if (!problem) {
        return {};
    }
    // The former bytes go where they were, which needs no room that they did not have: a write
    // that stops part of the way (at a size limit) may still leave them all there. What the file
    // holds tells whether they are back.
    WriteFromStart(file, former, calls);
    const bool back = !CutAndFlush(file, former.size(), calls) && !mismatch(target, former);
    return {back ? SaveOutcome::Refused : SaveOutcome::FormerContentLost, problem};
}

// Creates target and writes bytes into it; a failed write leaves no file.
SaveResult createInPlace(const QString &target, const QByteArray &bytes, const SaveCalls &calls)
{
    QFile file;
    if (const FileProblem problem = CreateNewFile(target, file)) {
        return refused(problem);
    }
    const FileProblem problem = writeChecked(file, target, bytes, calls);
    file.close();
    if (problem) {
        return withoutFile(refused(problem), target, calls);
    }
    return confirmed(target, calls);
}

} // namespace

// Should a file have that name already, which is about one chance in two thousand million, the
// save writes in place.
QString BesideName(const QString &target)
{
    constexpr quint32 SixDigitsBase36 = 36u * 36 * 36 * 36 * 36 * 36;
    const quint32 tag = QRandomGenerator::global()->bounded(SixDigitsBase36);
    return target + u'.' + QString::number(tag, 36).rightJustified(6, u'0');
}

SaveResult ReplaceFileContent(const QString &path, const QByteArray &bytes, const SaveCalls &calls)
{
    QString target;
    if (const FileProblem problem = ResolveFileName(path, target)) {
        return refused(problem);
    }
    QFile former;
    bool absent = false;
    if (const FileProblem problem = OpenRegularFile(target, QIODevice::ReadWrite, former, &absent);
        problem && !absent) {
        return refused(problem);
    }
    if (const auto replaced =
            replaceThroughNewFile(target, absent ? nullptr : &former, bytes, calls)) {
        return *replaced;
    }
    if (absent) {
        return createInPlace(target, bytes, calls);
    }
    // A new file that could not take the former one's place has closed it.
    if (!former.isOpen()) {
        if (const FileProblem problem = OpenRegularFile(target, QIODevice::ReadWrite, former)) {
            return refused(problem);
        }
    }
    return overwrite(former, target, bytes, calls);
}

SaveResult ReplaceFileContent(const QString &path, const QByteArray &bytes)
{
    return ReplaceFileContent(path, bytes, SystemSaveCalls());
}
