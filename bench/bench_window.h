#pragma once
// The window as the program shows it, offscreen, with the benchmark answering for the user: the
// Open dialog hands back the file being measured, and nothing is remembered between runs.
#include "frm_main.h"
#include "window_services.h"

#include <QString>

#include <cstdio>

namespace kivo {

class BenchServices : public WindowServices {
public:
    QString path;
    int messages = 0; // a message during a run means the figure is not what it seems
    QMessageBox::StandardButton showMessage(QWidget*, const MessageSpec& message) override {
        ++messages;
        std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
        return QMessageBox::Ok;
    }
    QString chooseFile(QWidget*, const QString&, const QString&) override { return path; }
    QString settingsFile() override { return {}; }
    QRect screenGeometry(const QWidget*) override { return {0, 0, 1920, 1080}; }
    void quit() override {}
};

// The window loaded and shown; the application, with its style and font, is made before it.
struct BenchWindow {
    explicit BenchWindow(const QString& path = {}) {
        services.path = path;
        window.Form_Load();
        window.show();
    }
    BenchServices services;
    frmMain window{services};
};

} // namespace kivo
