#include "app/applicationshell.h"
#include "app/messageboxdialogs.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QIcon>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QIcon icon;
    for (int size : {32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/%1x%1/apps/zel-file-generator.png").arg(size),
                     QSize(size, size));
    }
    QApplication::setWindowIcon(icon);

    frmMain window;
    MessageBoxDialogs dialogs(&window);
    ApplicationShell shell(window, dialogs);
    // Logging off asks about unsaved changes as a close does, where the session lets us ask.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &shell,
                     [&shell](QSessionManager &manager) {
                         if (!shell.settleForSessionEnd(manager.allowsInteraction())) {
                             manager.cancel();
                         }
                     });
    shell.Form_Load();
    window.show();
    return app.exec();
}
