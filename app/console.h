// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QIODevice>
#include <QString>

#include <memory>

// Standard input, output and error, as the command line uses them. Made first thing in main,
// before Qt opens anything: on POSIX a descriptor 0, 1 or 2 that is closed is noted and then
// held on /dev/null, so that no descriptor Qt opens takes its number and a line meant for
// standard output never goes into, say, the display's socket. On Windows, where a program with
// a window starts without a console, the text goes to the file or pipe it is redirected to (as
// UTF-8), else to the console the program was started from (as wide characters, so that any
// name shows), else, with no console at all, to a message box when the program ends.
class Console
{
public:
    Console();
    ~Console();
    Console(const Console &) = delete;
    Console &operator=(const Console &) = delete;

    // Writes text to standard output. On failure, says so on standard error and returns false.
    bool print(const QString &text);
    // Writes a message to standard error.
    void printError(const QString &text);
    // Standard input, read to its end even where it does not block; nothing when it cannot be
    // read, with the reason.
    std::unique_ptr<QIODevice> openInput(QString &reason);

private:
    // Writes text to standard output; returns why it could not, or an empty text.
    QString write(const QString &text);

    struct Streams;
    std::unique_ptr<Streams> m_streams;
};
