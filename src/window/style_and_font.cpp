#include "style_and_font.h"

#include <QApplication>
#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

namespace kivo {
namespace {

// Liberation Sans has the metrics of the Arial-class dialog font the layout was measured in, so
// every caption fits its rectangle.
QFont applicationFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(7.5);
    font.setStyleHint(QFont::SansSerif);
    // Vertical hinting only, as Linux desktops draw text: full hinting (the default on Windows)
    // rounds every glyph's width up to whole pixels, and "Norwegian" outgrows its option.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

} // namespace

void applyStyleAndFont(QApplication& app) {
    // Where the system lacks the font, the program carries it (Windows): register it first.
    for (QDirIterator carried(QStringLiteral(":/fonts")); carried.hasNext();)
        QFontDatabase::addApplicationFont(carried.next());
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(applicationFont());
}

} // namespace kivo
