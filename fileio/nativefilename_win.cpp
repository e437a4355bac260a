// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/nativefilename.h"

// A Windows name is UTF-16: a lone surrogate in it is the name's own, no byte.
std::optional<unsigned char> UndecodedByte(QStringView, qsizetype)
{
    return std::nullopt;
}
