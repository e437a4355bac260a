#include "app/commandline.h"

#include "app/settingfilecheck.h"
#include "model/title.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <initializer_list>
#include <io.h>
#include <windows.h>
#endif

namespace
{

const QCommandLineOption CheckOption(
    QStringLiteral("check"),
    QStringLiteral("Check each file named (- for standard input) without opening the window, "
                   "and print a line for each: ok and its settings, or where and why it is "
                   "refused. Exits with 0 when every file is accepted, 1 otherwise."));

// Usage errors end the program with 2, which tells them from a refused file's 1.
[[noreturn]] void usageError(const QString &message)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                 qPrintable(message));
    std::exit(2);
}

// One parser for a start with the window and one without, so that --help shows both.
void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Prepares the .zel setting file of a device's barcode-reader front end."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(CheckOption);
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("The setting file to open at start; with --check, the files to check."),
        QStringLiteral("[file...]"));
}

// --help, --help-all and --version print their text and end the program.
QStringList filesNamed(QCommandLineParser &parser, const QStringList &arguments)
{
    QCoreApplication::setApplicationVersion(versionText());
    if (!parser.parse(arguments)) {
        usageError(parser.errorText());
    }
    parser.process(arguments);
    return parser.positionalArguments();
}

#ifdef Q_OS_WIN
// The program is a GUI program, which starts with no console: its lines go to the console it
// was started from, unless they are redirected to a file or a pipe already.
void writeToParentConsole()
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    for (FILE *stream : {stdout, stderr}) {
        if (_fileno(stream) < 0 || _get_osfhandle(_fileno(stream)) < 0) {
            std::freopen("CONOUT$", "w", stream);
        }
    }
}
#endif

} // namespace

std::optional<int> RunWithoutWindow(int &argc, char *argv[])
{
    // A first look, before QApplication has taken out its own options (-style, -platform):
    // they fail the parse, so that then only --check, which is none of them, tells. --help-all
    // lists those options, which only a QApplication knows, so it starts one.
    QStringList arguments;
    for (int index = 0; index < argc; ++index) {
        arguments << QString::fromLocal8Bit(argv[index]);
    }
    QCommandLineParser parser;
    addOptions(parser);
    const bool parsed = parser.parse(arguments);
    const bool answered =
        parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"));
    if (!parser.isSet(CheckOption) && !(parsed && answered)) {
        return std::nullopt;
    }
    QCoreApplication application(argc, argv);
#ifdef Q_OS_WIN
    writeToParentConsole();
#endif
    const QStringList files = filesNamed(parser, QCoreApplication::arguments());
    if (files.isEmpty()) {
        usageError(QStringLiteral("No file to check."));
    }
    return CheckSettingFiles(files, stdout);
}

QString ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    const QStringList files = filesNamed(parser, arguments);
    if (files.size() > 1) {
        usageError(QStringLiteral("Too many arguments: only one file can be opened."));
    }
    return files.value(0);
}
