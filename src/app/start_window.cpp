#include "start_window.h"

#include "font_config_loader.h"
#include "frm_main.h"
#include "qt_window_services.h"
#include "style_and_font.h"

#include <QApplication>

namespace kivo {

void startWindow(frmMain& window, const QString& file) {
    QApplication::setApplicationName(QStringLiteral("KIVO/32"));
    // The name of the installed desktop entry: the desktop ties the window to the entry by it
    // (on Wayland it is the window's app id, so it is set before the window shows).
    QApplication::setDesktopFileName(QStringLiteral("kivo32"));
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
    FontConfigLoader fonts; // read while Qt starts, ready for the window's first caption
    QApplication app(argc, argv);
    applyStyleAndFont(app);

    QtWindowServices services;
    fonts.wait();
    frmMain window(services);
    startWindow(window, file);
    return QApplication::exec();
}

} // namespace kivo
