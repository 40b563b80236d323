// Arbitrary bytes as a user file, opened in the window offscreen and every user shown and drawn:
// no crash, no sanitizer report, and no label that would draw what the file holds as markup.
#include "input_file.h"
#include "style_and_font.h"
#include "support/viewer_fixture.h"

#include <QApplication>

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
    kivo::applyStyleAndFont(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static kivo::fuzz::InputFile input;
    kivo::testing::Viewer viewer;
    viewer.window.show();
    viewer.open(QString::fromStdString(input.write(data, size)));
    for (int row = 0; row < viewer.entries(); ++row) {
        viewer.select(row);
        // Before drawing: a label that draws markup may open any file a name points at.
        for (const QLabel* label : viewer.window.findChildren<QLabel*>()) {
            const Qt::TextFormat format = label->textFormat();
            if (format == Qt::RichText ||
                (format == Qt::AutoText && Qt::mightBeRichText(label->text())))
                std::abort();
        }
        viewer.window.grab();
    }
    return 0;
}
