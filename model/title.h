#pragma once

#include <QString>

// "VX613 ZEL File Generator   V1.02": the version from the build, the minor as two digits.
QString bareTitle();
// The bare title, " - " and the name part of path (empty where the path has none).
QString titleWithFile(const QString &path);
