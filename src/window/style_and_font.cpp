#include "style_and_font.h"

#include <QApplication>
#include <QCoreApplication>
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
    // A name's control bytes show as their symbols (U+2401 to U+2421), which Liberation Sans
    // lacks: FreeSans draws them, ahead of whatever else the system would pick. It also stands in
    // for Liberation Sans, a sans-serif font like it, should that one be missing.
    QFont::insertSubstitution(QStringLiteral("Liberation Sans"), QStringLiteral("FreeSans"));
    font.setPointSizeF(7.5);
    // Vertical hinting only, as Linux desktops draw text: full hinting (the default on Windows)
    // rounds every glyph's width up to whole pixels, and "Norwegian" outgrows its option.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

} // namespace

void applyStyleAndFont(QApplication& app) {
    // Where the system lacks the fonts, the program carries them (Windows): Liberation Sans inside
    // it, FreeSans (under the GPL) as a file of its own in the fonts folder beside it. Register
    // them first.
    for (const QString& folder :
         {QStringLiteral(":/fonts"), QCoreApplication::applicationDirPath() + "/fonts"})
        for (QDirIterator carried(folder, {QStringLiteral("*.ttf")}, QDir::Files); carried.hasNext();)
            QFontDatabase::addApplicationFont(carried.next());
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    app.setStyle(new FusionStyle);
    QApplication::setFont(applicationFont());
}

} // namespace kivo
