#pragma once

#include <QString>
#include <QStringList>

// Reads the program's arguments, the program's own name first: "[file]", --help and --version.
// Help and version print their text and end the program; an unknown option or more than one
// file prints the error and ends it with exit code 1, before any window is made.
// Returns the file named, or an empty text when none is.
QString ParseCommandLine(const QStringList &arguments);
