// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/withoutwindow.h"

#include "app/arguments.h"
#include "app/commandline.h"
#include "app/console.h"
#include "app/settingfilecheck.h"
#include "model/pathhelpers.h"
#include "model/title.h"

#include <QCoreApplication>

#include <memory>
#include <utility>

namespace
{

const QString StandardInput = QStringLiteral("-");

// Standard input is read once: a second "-" would find it at its end and tell of an empty file.
QString standardInputLine(Console &console, bool &inputRead, bool &accepted)
{
    const QString shownName = QStringLiteral("<stdin>");
    if (std::exchange(inputRead, true)) {
        return RefusalLine(shownName, QStringLiteral("Standard input was already read."));
    }
    QString reason;
    const std::unique_ptr<QIODevice> input = console.openInput(reason);
    return input ? CheckLine(*input, shownName, accepted) : RefusalLine(shownName, reason);
}

// The line for path, one of the files that name stands for; a null path where it stands for
// none (a pattern that matches nothing), which leaves accepted as it is: false.
QString lineFor(const QString &name, const QString &path, Console &console, bool &inputRead,
                bool &accepted)
{
    if (path.isNull()) {
        return RefusalLine(PrintableFileName(name), QStringLiteral("No file matches this name."));
    }
    return path == StandardInput ? standardInputLine(console, inputRead, accepted)
                                 : CheckLine(path, accepted);
}

// Each line is written as soon as its file is read, so that a long run shows how far it is.
int checkFiles(const QStringList &names, Console &console)
{
    bool allAccepted = true;
    bool inputRead = false;
    for (const QString &name : names) {
        const QStringList paths = FilesNamedBy(name);
        for (const QString &path : paths.isEmpty() ? QStringList{QString()} : paths) {
            bool accepted = false;
            if (!console.print(lineFor(name, path, console, inputRead, accepted) + u'\n')) {
                return 1;
            }
            allAccepted = allAccepted && accepted;
        }
    }
    return allAccepted ? 0 : 1;
}

} // namespace

int RunWithoutWindow(const CommandLine &command, Console &console)
{
    switch (command.action()) {
    case CommandLine::Action::Check:
        return checkFiles(command.files(), console);
    case CommandLine::Action::Help:
    case CommandLine::Action::HelpAll:
        return console.print(command.helpText()) ? 0 : 1;
    case CommandLine::Action::Version:
        return console.print(QCoreApplication::applicationName() + u' ' + versionText() + u'\n')
                   ? 0
                   : 1;
    case CommandLine::Action::UsageError:
    case CommandLine::Action::StartWindow:
        break;
    }
    console.printError(QCoreApplication::applicationName() + QStringLiteral(": ") +
                       command.error() + u'\n');
    return 2;
}
