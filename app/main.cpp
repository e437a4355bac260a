#include "app/title.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QIcon>

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
    window.setWindowTitle(bareTitle());
    window.SetDefaultSettings();
    window.TakeSnapshot();
    window.show();
    return app.exec();
}
