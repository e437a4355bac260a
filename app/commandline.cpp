// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/commandline.h"

#include "model/pathhelpers.h"

#include <QCommandLineOption>
#include <QCoreApplication>

namespace
{

const QString CheckOptionName = QStringLiteral("check");

struct QtOption {
    const char *name;
    const char *valueName; // empty for an option that takes no value
    const char *description;
};

// What QApplication takes from the command line: the options that Qt's --help-all lists, the
// X11 ones among them, and QApplication's own.
constexpr QtOption QtOptions[] = {
    {"platform", "platformName[:options]",
     QT_TRANSLATE_NOOP("CommandLine",
                       "The Qt platform plugin that shows the window, such as xcb, wayland or "
                       "offscreen.")},
    {"platformpluginpath", "path",
     QT_TRANSLATE_NOOP("CommandLine", "Where Qt looks for platform plugins.")},
    {"platformtheme", "theme", QT_TRANSLATE_NOOP("CommandLine", "The Qt platform theme.")},
    {"plugin", "plugin",
     QT_TRANSLATE_NOOP("CommandLine", "A further Qt plugin to load; may be given more than once.")},
    {"qwindowgeometry", "geometry",
     QT_TRANSLATE_NOOP("CommandLine", "The window's place in X11's form, such as +50+50.")},
    {"qwindowicon", "icon", QT_TRANSLATE_NOOP("CommandLine", "The window's icon.")},
    {"qwindowtitle", "title", QT_TRANSLATE_NOOP("CommandLine", "The window's title.")},
    {"reverse", "", QT_TRANSLATE_NOOP("CommandLine", "Lays the window out from right to left.")},
    {"session", "session",
     QT_TRANSLATE_NOOP("CommandLine", "Restores the program from a session of the desktop's.")},
    {"style", "style", QT_TRANSLATE_NOOP("CommandLine", "The widget style, such as Fusion.")},
    {"stylesheet", "file", QT_TRANSLATE_NOOP("CommandLine", "A Qt style sheet for the window.")},
    {"widgetcount", "",
     QT_TRANSLATE_NOOP("CommandLine", "Prints at the end how many widgets were left.")},
    {"qmljsdebugger", "value",
     QT_TRANSLATE_NOOP("CommandLine", "Qt's QML debugger; the program has no QML.")},
    {"display", "display",
     QT_TRANSLATE_NOOP("CommandLine", "X11: the display, in place of $DISPLAY.")},
    {"name", "name", QT_TRANSLATE_NOOP("CommandLine", "X11: the program's instance name.")},
    {"geometry", "geometry",
     QT_TRANSLATE_NOOP("CommandLine", "X11: the same as --qwindowgeometry.")},
    {"icon", "icon", QT_TRANSLATE_NOOP("CommandLine", "X11: the same as --qwindowicon.")},
    {"title", "title", QT_TRANSLATE_NOOP("CommandLine", "X11: the same as --qwindowtitle.")},
    {"visual", "id", QT_TRANSLATE_NOOP("CommandLine", "X11: the visual to use.")},
    {"nograb", "", QT_TRANSLATE_NOOP("CommandLine", "X11: grabs no mouse (for debuggers).")},
    {"dograb", "", QT_TRANSLATE_NOOP("CommandLine", "X11: grabs the mouse even in a debugger.")},
};

QString translated(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

QCommandLineOption qtOption(const QtOption &option, bool shown)
{
    QCommandLineOption made(QLatin1String(option.name), translated(option.description),
                            QLatin1String(option.valueName));
    made.setFlags(shown ? QCommandLineOption::Flags() : QCommandLineOption::HiddenFromHelp);
    return made;
}

// The parser's own help and version options, with their names on this system (-? too on
// Windows) and Qt's words, which are translated here: Qt's own translations lack some of them.
void addHelpAndVersionOptions(QCommandLineParser &parser)
{
    QCommandLineParser builtIn;
    parser.addOption(
        {builtIn.addHelpOption().names(),
         translated(QT_TRANSLATE_NOOP("CommandLine", "Displays help on commandline options."))});
    parser.addOption({QStringLiteral("help-all"),
                      translated(QT_TRANSLATE_NOOP(
                          "CommandLine", "Displays help including Qt specific options."))});
    parser.addOption(
        {builtIn.addVersionOption().names(),
         translated(QT_TRANSLATE_NOOP("CommandLine", "Displays version information."))});
}

// Qt's options are listed only by --help-all.
void addOptions(QCommandLineParser &parser, bool qtOptionsShown)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(translated(QT_TRANSLATE_NOOP(
        "CommandLine", "Prepares the .zel setting file of a device's barcode-reader front end.")));
    addHelpAndVersionOptions(parser);
    parser.addOption(
        {CheckOptionName,
         translated(QT_TRANSLATE_NOOP(
             "CommandLine",
             "Check each file named (- for standard input) without opening the window, and print "
             "a line for each: ok and its settings, or where and why it is refused. Exits with 0 "
             "when every file is accepted, 1 otherwise."))});
    for (const QtOption &option : QtOptions) {
        parser.addOption(qtOption(option, qtOptionsShown));
    }
    parser.addPositionalArgument(
        QStringLiteral("file"),
        translated(QT_TRANSLATE_NOOP(
            "CommandLine", "The setting file to open at start; with --check, the files to check.")),
        translated(QT_TRANSLATE_NOOP("CommandLine", "[file...]")));
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    addOptions(m_parser, false);
    if (!m_parser.parse(arguments)) {
        fail(m_parser.errorText());
        return;
    }
    m_files = m_parser.positionalArguments();
    if (m_parser.isSet(QStringLiteral("help"))) {
        m_action = Action::Help;
    } else if (m_parser.isSet(QStringLiteral("help-all"))) {
        m_action = Action::HelpAll;
    } else if (m_parser.isSet(QStringLiteral("version"))) {
        m_action = Action::Version;
    } else if (m_parser.isSet(CheckOptionName)) {
        m_action = Action::Check;
        if (m_files.isEmpty()) {
            fail(tr("No file to check."));
        }
    } else if (m_files.size() > 1) {
        fail(tr("Too many arguments: only one file can be opened."));
    }
}

// An argument that the message repeats could hold a line break or an escape sequence.
void CommandLine::fail(const QString &error)
{
    m_action = Action::UsageError;
    m_error = PrintableFileName(error);
}

QStringList CommandLine::qtArguments() const
{
    QStringList arguments;
    for (const QtOption &option : QtOptions) {
        const QString name = QLatin1String(option.name);
        const QString dashed = QLatin1Char('-') + name;
        if (*option.valueName == '\0' && m_parser.isSet(name)) {
            arguments << dashed;
        }
        for (const QString &value : m_parser.values(name)) {
            arguments << dashed << value;
        }
    }
    return arguments;
}

QString CommandLine::helpText() const
{
    QCommandLineParser parser;
    addOptions(parser, m_action == Action::HelpAll);
    return parser.helpText();
}
