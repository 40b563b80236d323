#include "style_and_font.h"

#include <QApplication>
#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>
#include <QProxyStyle>
#include <QStyleFactory>

namespace kivo {
namespace {
// Fusion, but without the icon of a toolbar's extension button. Every QToolBar asks for it as it
// is made, and reading it makes Qt look through every image format plug-in, some milliseconds of
// every start; the window's one toolbar always has room for its buttons and never shows it.
class FusionStyle : public QProxyStyle {
public:
    FusionStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton ||
            icon == SP_ToolBarVerticalExtensionButton)
            return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

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
    app.setStyle(new FusionStyle);
    QApplication::setFont(applicationFont());
}

} // namespace kivo
