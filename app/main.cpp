// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/applicationshell.h"
#include "app/arguments.h"
#include "app/commandline.h"
#include "app/console.h"
#include "app/languages.h"
#include "app/messageboxdialogs.h"
#include "app/withoutwindow.h"
#include "ui/applicationicon.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include <cstdlib>
#include <vector>

namespace
{

// What QApplication is given: the program's own name and Qt's options, never a file name,
// which Qt would take for an option of its own when it starts with a dash.
std::vector<QByteArray> qtArguments(const char *programName, const CommandLine &command)
{
    std::vector<QByteArray> arguments{programName};
    for (const QString &argument : command.qtArguments()) {
        arguments.push_back(ArgumentBytes(argument));
    }
    return arguments;
}

QtMessageHandler qtMessageHandler = nullptr;

// Qt ends the program at a fatal message, such as having no display to show the window on: an
// exit status then says so, where abort() would dump core.
void exitAtFatalMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    qtMessageHandler(type, context, message);
    if (type == QtFatalMsg) {
        std::_Exit(1);
    }
}

// The window, and the file named at start once the window is up.
int runWindow(const CommandLine &command, const char *programName)
{
    std::vector<QByteArray> arguments = qtArguments(programName, command);
    std::vector<char *> qtArgv;
    for (QByteArray &argument : arguments) {
        qtArgv.push_back(argument.data());
    }
    qtArgv.push_back(nullptr);
    int qtArgc = int(arguments.size());
    qtMessageHandler = qInstallMessageHandler(exitAtFatalMessage);
    QApplication app(qtArgc, qtArgv.data());
    qInstallMessageHandler(qtMessageHandler);
    InstallTranslations(SystemUiLanguages());
    QApplication::setWindowIcon(applicationIcon());

    frmMain window;
    MessageBoxDialogs dialogs(&window);
    ApplicationShell shell(window, dialogs);
    // Logging off asks about unsaved changes as a close does, where the session lets us ask.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &shell,
                     [&shell](QSessionManager &manager) {
                         if (!shell.settleForSessionEnd(manager.allowsInteraction())) {
                             manager.cancel();
                         }
                     });
    shell.Form_Load();
    window.show();
    if (!command.files().isEmpty()) {
        // Once the window is up, so that a message box has it for its parent.
        QTimer::singleShot(0, &shell, [&shell, &command] { shell.openFile(command.files()[0]); });
    }
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    // First, before Qt opens anything.
    Console console;
    // Every argument is checked before anything needs a display.
    const QStringList arguments = ProgramArguments(argc, argv);
    const CommandLine command(arguments);
    if (command.action() == CommandLine::Action::StartWindow) {
        return runWindow(command, argv[0]);
    }
    int programNameOnly = 1;
    const QCoreApplication application(programNameOnly, argv);
    // --check's lines are read by scripts and editors, as a compiler's are: English in every
    // language. Help and usage errors speak the operator's language, so the arguments are
    // checked again once the translations are in.
    if (command.action() == CommandLine::Action::Check) {
        KeepSystemMessagesInEnglish();
        return RunWithoutWindow(command, console);
    }
    InstallTranslations(SystemUiLanguages());
    return RunWithoutWindow(CommandLine(arguments), console);
}
