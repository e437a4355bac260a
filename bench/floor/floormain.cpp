// The floor program of the start-up benchmark: the window alone, with the program's icon.
#include "floorwindow.h"

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

    FloorWindow window;
    window.show();
    return app.exec();
}
