#pragma once

#include <QStringList>

#include <cstdio>

// Reads each setting file named ("-" standard input) in turn, holding one at a time, and writes
// a line for it to out in the form that compilers use and editors link to: "PATH: ok: " and
// the settings in the window's captions, or "PATH:LINE: error: REASON", without ":LINE" where
// the fault is no one line's. Returns the exit status: 0 when every file is accepted, else 1.
int CheckSettingFiles(const QStringList &paths, std::FILE *out);
