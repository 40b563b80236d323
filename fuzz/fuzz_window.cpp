// Arbitrary bytes as a user file, opened in the window offscreen and every user shown and drawn:
// no crash, no sanitizer report, and no label that would draw what the file holds as markup.
#include "frm_main.h"
#include "look.h"

#include <QApplication>
#include <QLabel>
#include <QListView>

#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

using namespace kivo;

namespace {

// Every box is answered as if dismissed, and nothing ends the program but the fuzzer.
class DismissingServices : public WindowServices {
public:
    QMessageBox::StandardButton showMessage(QWidget*, const MessageSpec& message) override {
        return message.buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
    }
    QString chooseFile(QWidget*, const QString&, const QString&) override { return {}; }
    QRect screenGeometry(const QWidget*) override { return {0, 0, 1024, 768}; }
    void quit() override {}
};

void check(bool condition) {
    if (!condition)
        std::abort();
}

// A label draws markup when told to, or when left to guess and its text looks like markup.
bool drawsMarkup(const QLabel* label) {
    return label->textFormat() == Qt::RichText ||
           (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
}

} // namespace

// Fontconfig, which Qt loads for the fonts, keeps memory it never frees: not a finding of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // One application for the whole run, with its own arguments: the fuzzer's are not Qt's.
    static int argc = 1;
    static char name[] = "fuzz_window";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    applyLook(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input is kept in an in-memory file, opened by its name like any file the user picks.
    static const int fd = ::memfd_create("kivo-fuzz-window", MFD_CLOEXEC);
    check(fd >= 0 && ::ftruncate(fd, 0) == 0);
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, off_t(done));
        check(n > 0);
        done += std::size_t(n);
    }

    DismissingServices services;
    frmMain window(services);
    window.Form_Load();
    window.show();
    window.openUserFile(QStringLiteral("/proc/self/fd/%1").arg(fd));
    auto* list = window.findChild<QListView*>(QStringLiteral("List1"));
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        list->setCurrentIndex(list->model()->index(row, 0));
        // Before drawing: a label that draws markup may open any file a name points at.
        for (const QLabel* label : window.findChildren<QLabel*>())
            check(!drawsMarkup(label));
        window.grab();
    }
    return 0;
}
