// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

// The floor of the start-up benchmark: the program's own window, built and shown as on a first
// start (short, without the barcode reader interface rows), with nothing behind it: no defaults,
// no snapshot, no preferences, no dialogs, no file commands.
#include "model/title.h"
#include "ui/applicationicon.h"
#include "ui/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(applicationIcon());

    frmMain window;
    window.setWindowTitle(bareTitle());
    window.SetBarcodeSection(false);
    window.show();
    return app.exec();
}
