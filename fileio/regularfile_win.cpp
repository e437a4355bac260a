// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/regularfile.h"

#include "fileio/filecalls_win.h"
#include "fileio/systemerror.h"

#include <QRegularExpression>

#include <io.h>
#include <windows.h>

namespace
{

// ERROR_DIRECTORY_NOT_SUPPORTED, which MinGW's headers do not have.
constexpr int DirectoryNotSupported = 336;

// Whether path names a device: the last part of it is a name that Windows keeps for one in every
// folder (with an extension too, or blanks before it), or it is in the device space \\.\.
bool namesDevice(const QString &path)
{
    static const QRegularExpression device(
        QStringLiteral(R"((^[\\/]{2}\.[\\/])|(^|[\\/:])(CON|PRN|AUX|NUL|CONIN\$|CONOUT\$|)"
                       R"((COM|LPT)[1-9\x{B9}\x{B2}\x{B3}]) *([.:][^\\/]*)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    return device.match(path).hasMatch();
}

// Hands the open handle to file, which closes it; closes it itself on a failure.
FileProblem adopt(HANDLE handle, QIODevice::OpenMode mode, QFile &file)
{
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
    if (descriptor < 0) {
        const FileProblem error = FileProblem::system(qt_error_string(errno));
        CloseHandle(handle);
        return error;
    }
    if (file.open(descriptor, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        return {};
    }
    _close(descriptor);
    return FileProblem::system(file.errorString());
}

} // namespace

FileProblem ResolveFileName(const QString &path, QString &resolved)
{
    if (namesDevice(path)) {
        return SystemError(ERROR_INVALID_NAME);
    }
    resolved = path;
    return {};
}

FileProblem OpenRegularFile(const QString &name, QIODevice::OpenMode mode, QFile &file,
                            bool *absent)
{
    const std::wstring system = SystemName(name);
    const DWORD attributes = GetFileAttributesW(system.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (absent) {
            *absent = error == ERROR_FILE_NOT_FOUND;
        }
        return SystemError(int(error));
    }
    // Windows' own words for a folder, where a plain open would say only "Access denied".
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return SystemError(DirectoryNotSupported);
    }
    const bool writing = mode & QIODevice::WriteOnly;
    if (writing && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return {.kind = FileProblem::Kind::ReadOnly};
    }
    // Shared with every other program, as Windows programs open files for reading; a program
    // that holds the file without sharing it for writing refuses the save, once it has held it
    // for longer than a moment.
    HANDLE handle = INVALID_HANDLE_VALUE;
    WhileHeld([&] {
        handle = CreateFileW(system.c_str(), GENERIC_READ | (writing ? GENERIC_WRITE : 0),
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return handle != INVALID_HANDLE_VALUE;
    });
    if (handle == INVALID_HANDLE_VALUE) {
        return LastSystemError();
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return {.kind = FileProblem::Kind::NotRegularFile};
    }
    return adopt(handle, mode, file);
}

FileProblem OpenToRead(const QString &path, QFile &file)
{
    QString name;
    const FileProblem problem = ResolveFileName(path, name);
    return problem ? problem : OpenRegularFile(name, QIODevice::ReadOnly, file);
}

FileProblem CreateNewFile(const QString &name, QFile &file)
{
    const HANDLE handle =
        CreateFileW(SystemName(name).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return LastSystemError();
    }
    return adopt(handle, QIODevice::ReadWrite, file);
}
