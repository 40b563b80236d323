#include "start_window.h"

#include "frm_main.h"
#include "look.h"
#include "qt_window_services.h"

#include <QApplication>

namespace kivo {

void startWindow(frmMain& window, const QString& file) {
    window.Form_Load();
    window.show();
    if (!file.isEmpty())
        window.openUserFile(file);
}

int runWindow(const char* programPath, const QString& file) {
    // The command line has been read already: Qt is given none of it, so that no FILE is ever
    // taken for one of Qt's own options.
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programPath), nullptr};
    QApplication app(argc, argv);
    applyLook(app);
    QApplication::setApplicationName(QStringLiteral("KIVO/32"));
    QApplication::setDesktopFileName(QStringLiteral("kivo32"));

    QtWindowServices services;
    frmMain window(services);
    startWindow(window, file);
    return QApplication::exec();
}

} // namespace kivo
