// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <optional>

class QMimeData;

// The path of the one local file ending in ".zel" (in any case) that a drag carries, or nothing
// for anything else: several files, text, a remote address.
std::optional<QString> droppedSettingFile(const QMimeData &data);
