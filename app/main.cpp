#include "app/applicationshell.h"
#include "app/commandline.h"
#include "app/messageboxdialogs.h"
#include "ui/applicationicon.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = RunWithoutWindow(argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
    const QString fileToOpen = ParseCommandLine(QApplication::arguments());
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
    if (!fileToOpen.isEmpty()) {
        // Once the window is up, so that a message box has it for its parent.
        QTimer::singleShot(0, &shell, [&shell, &fileToOpen] { shell.openFile(fileToOpen); });
    }
    return app.exec();
}
