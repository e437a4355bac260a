#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

QString ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prepares the .zel setting file of a device's barcode-reader front end."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The setting file to open at start."),
                                 QStringLiteral("[file]"));
    parser.process(arguments);

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        // The parser has no limit on positional arguments; this ends as its own errors end.
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                     "Too many arguments: only one file can be opened.");
        std::exit(EXIT_FAILURE);
    }
    return files.value(0);
}
