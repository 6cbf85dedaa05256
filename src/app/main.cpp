// Program start: the application title and the main window.
#include <QApplication>

#include "app/MainForm.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillvane"));
    TMainQVZorek mainWindow;
    mainWindow.show();
    return QApplication::exec();
}
