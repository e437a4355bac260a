// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

class CommandLine;
class Console;

// Answers what needs no window: --check, --help, --help-all, --version and a usage error, with
// a QCoreApplication and no display. Returns the exit status: 0 for done (every file checked
// accepted), 1 for a refused file or lines that could not be written, 2 for a usage error.
int RunWithoutWindow(const CommandLine &command, Console &console);
