#include "app/AppInfo.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle());
    QMainWindow window;
    window.setWindowTitle(ApplicationVersionText());
    window.show();
    return app.exec();
}
