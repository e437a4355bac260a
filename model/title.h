// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// "1.02": the version from the build, the minor as two digits.
QString versionText();
// "VX613 ZEL File Generator   V1.02", in the language of the translations installed.
QString bareTitle();
// The bare title, " - " and the name part of path (empty where the path has none), shown on
// one line with what cannot show escaped (PrintableFileName).
QString titleWithFile(const QString &path);
