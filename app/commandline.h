#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Answers what needs no window: --check FILE..., --help and --version, with no QApplication, so
// that no display is needed. Returns the exit status then; nothing when the window is to start.
// The program's own name comes first in argv.
std::optional<int> RunWithoutWindow(int &argc, char *argv[]);

// Reads the arguments of a start with the window, the program's own name first: "[file]".
// An unknown option or more than one file prints the error and ends the program with exit
// code 2, before any window is made. Returns the file named, or an empty text when none is.
QString ParseCommandLine(const QStringList &arguments);
