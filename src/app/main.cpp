// Program start: the application title, the about window as a splash screen while the
// rest starts, the main window with its controller, and the default book.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <memory>

#include "app/AboutForm.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/MainWindowBridge.h"
#include "app/QtPrompter.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/images/quillvane.png")));
    QApplication::setDesktopFileName(QStringLiteral("quillvane"));

    TAboutFm splash;
    splash.SetOkButtonVisible(false);
    splash.show();
    QApplication::processEvents();

    // The controller goes last: the window's views show its tables until they are gone.
    std::unique_ptr<MainController> controller;
    TMainQVZorek mainWindow;
    QtPrompter prompter(&mainWindow);
    MainWindowBridge bridge(mainWindow, prompter);
    controller = std::make_unique<MainController>(bridge, prompter, QDir::currentPath());
    bridge.Attach(*controller);
    mainWindow.show();
    controller->FormShow();

    splash.SetOkButtonVisible(true);
    splash.close();
    return QApplication::exec();
}
