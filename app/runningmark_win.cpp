// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/runningmark.h"

#include <windows.h>

void MarkAsRunning()
{
    // Held until the program ends, which closes it. In the global namespace, so that an installer
    // sees a copy that another user runs in another session too.
    CreateMutexW(nullptr, FALSE, L"Global\\ZELFileGenerator.Running");
}
