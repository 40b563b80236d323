#include "look.h"

#include <QApplication>
#include <QStyleFactory>

namespace kivo {

QFont applicationFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(7.5);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void applyLook(QApplication& app) {
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(applicationFont());
}

} // namespace kivo
