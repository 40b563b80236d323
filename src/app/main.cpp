// KIVO/32: shows the one window; everything else happens in its handlers.
#include "frm_main.h"
#include "look.h"
#include "qt_window_services.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kivo::applyLook(app);
    QApplication::setApplicationName(QStringLiteral("KIVO/32"));
    QApplication::setDesktopFileName(QStringLiteral("kivo32"));

    kivo::QtWindowServices services;
    kivo::frmMain window(services);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
