// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QIcon>

// The program's icon, embedded so that start-up looks up no icon theme. Only the sizes a window
// manager shows are decoded at start; the desktop takes larger ones from the installed theme.
QIcon applicationIcon();
