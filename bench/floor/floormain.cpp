// The floor program of the start-up benchmark: the window alone, with the program's icon.
#include "floorwindow.h"

#include "ui/applicationicon.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(applicationIcon());

    FloorWindow window;
    window.show();
    return app.exec();
}
