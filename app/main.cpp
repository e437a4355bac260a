#include "app/applicationshell.h"
#include "app/messageboxdialogs.h"
#include "ui/applicationicon.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(applicationIcon());

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
