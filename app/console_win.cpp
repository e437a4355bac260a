// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/console.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace
{

// A standard handle as the program started with it; nothing where it has none. A program with
// a window started from a console has none unless it is redirected, or one that is no handle
// of its own, which has no file type.
HANDLE startHandle(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    const bool usable =
        handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
    return usable ? handle : nullptr;
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

// A console takes wide characters, which show every name; a file or a pipe takes UTF-8, with
// Windows' line ends. Returns the system's reason for a failure.
QString writeTo(HANDLE handle, const QString &text)
{
    if (isConsole(handle)) {
        DWORD written = 0;
        const bool done =
            WriteConsoleW(handle, text.utf16(), DWORD(text.size()), &written, nullptr);
        return done ? QString() : qt_error_string(-1);
    }
    const QByteArray bytes = QString(text).replace(u'\n', QStringLiteral("\r\n")).toUtf8();
    for (qsizetype done = 0; done < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.constData() + done, DWORD(bytes.size() - done), &written,
                       nullptr)) {
            return qt_error_string(-1);
        }
        done += written;
    }
    return {};
}

void showBox(const QString &text, const QString &title, UINT icon)
{
    if (!text.isEmpty()) {
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()),
                    reinterpret_cast<const wchar_t *>(title.utf16()),
                    MB_OK | MB_SETFOREGROUND | icon);
    }
}

} // namespace

struct Console::Streams {
    HANDLE input = startHandle(STD_INPUT_HANDLE);
    HANDLE output = startHandle(STD_OUTPUT_HANDLE);
    HANDLE error = startHandle(STD_ERROR_HANDLE);
    HANDLE console = nullptr;
    bool consoleAsked = false;
    // What goes to message boxes, with no console to take it.
    QString outputBox;
    QString errorBox;
    // Their title, the program's name as the program's boxes show it, taken while the
    // translations are there: the boxes come when the program ends.
    QString boxTitle;

    // The console the program was started from, or nothing when there is none (a shortcut,
    // Explorer). Only asked for when a stream was not redirected, and only once.
    HANDLE startingConsole()
    {
        if (!consoleAsked && AttachConsole(ATTACH_PARENT_PROCESS)) {
            console =
                CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            console = console == INVALID_HANDLE_VALUE ? nullptr : console;
        }
        consoleAsked = true;
        return console;
    }

    // Writes text to stream, or else to the console the program was started from, or else
    // keeps it for box.
    QString write(HANDLE stream, const QString &text, QString &box)
    {
        if (const HANDLE handle = stream ? stream : startingConsole()) {
            return writeTo(handle, text);
        }
        box += text;
        boxTitle = QCoreApplication::translate("MessageBoxDialogs", "ZEL File Generator");
        return {};
    }
};

Console::Console() : m_streams(std::make_unique<Streams>()) {}

Console::~Console()
{
    showBox(m_streams->outputBox, m_streams->boxTitle, MB_ICONINFORMATION);
    showBox(m_streams->errorBox, m_streams->boxTitle, MB_ICONERROR);
}

QString Console::write(const QString &text)
{
    return m_streams->write(m_streams->output, text, m_streams->outputBox);
}

void Console::printError(const QString &text)
{
    // With standard error failing, nothing is left to say.
    m_streams->write(m_streams->error, text, m_streams->errorBox);
}

std::unique_ptr<QIODevice> Console::openInput(QString &reason)
{
    // Not the console's input, which the shell that started the program reads at the same time.
    const int descriptor =
        m_streams->input
            ? _open_osfhandle(reinterpret_cast<intptr_t>(m_streams->input), _O_RDONLY | _O_BINARY)
            : -1;
    if (descriptor < 0) {
        reason = QStringLiteral("Standard input is closed.");
        return nullptr;
    }
    // The handle stays open for a second "-", which then reads what is left, as on POSIX.
    auto input = std::make_unique<QFile>();
    if (!input->open(descriptor, QIODevice::ReadOnly | QIODevice::Unbuffered,
                     QFileDevice::DontCloseHandle)) {
        reason = input->errorString();
        return nullptr;
    }
    return input;
}
