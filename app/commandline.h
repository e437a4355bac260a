// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The arguments, checked whole before anything needs a display: a start with the window and the
// file it opens, --check and its files, --help, --help-all, --version, or a usage error. Qt's
// own options (-platform NAME, -style NAME, -reverse, ...) are taken with all of them and
// handed on to a start with the window; elsewhere they change nothing. An option may start
// with one dash or two, as Qt's do.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Action { StartWindow, Check, Help, HelpAll, Version, UsageError };

    // The program's own name comes first.
    explicit CommandLine(const QStringList &arguments);

    Action action() const { return m_action; }
    // The files to check, or the file to open at start (none or one).
    const QStringList &files() const { return m_files; }
    // What is wrong with the arguments, on one line, in the language of the translations
    // installed when the arguments were checked.
    const QString &error() const { return m_error; }
    // Qt's own options with their values, for QApplication.
    QStringList qtArguments() const;
    // The summary of the options; with Qt's own for --help-all. Needs a QCoreApplication, whose
    // program path it names, and speaks the language of the translations it has.
    QString helpText() const;

private:
    void fail(const QString &error);

    QCommandLineParser m_parser;
    Action m_action = Action::StartWindow;
    QStringList m_files;
    QString m_error;
};
