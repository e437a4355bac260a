// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

// Marks the program as running for as long as it runs, window or not. On Windows that is a named
// mutex, Global\ZELFileGenerator.Running, which the installer and the uninstaller look for, so
// that they never replace or remove the files of a running copy; elsewhere nothing, as a
// package manager replaces files in use without harm.
void MarkAsRunning();
