#include "artwork.h"

#include <QBitmap>
#include <QPixmap>

namespace kivo {
namespace {

constexpr QSize kToolbarImageSize{16, 15};
constexpr QRgb kMaskColour = qRgb(192, 192, 192);

QPixmap masked(const QString& resource) {
    QPixmap pixmap(resource);
    pixmap.setMask(pixmap.createMaskFromColor(kMaskColour, Qt::MaskInColor));
    return pixmap;
}

} // namespace

QIcon toolbarImage(ToolbarImage image) {
    static const char* const files[] = {":/images/tb-open.xpm", ":/images/tb-update.xpm",
                                        ":/images/tb-print.xpm", ":/images/tb-undo.xpm",
                                        ":/images/tb-exit.xpm"};
    QPixmap picture = masked(QLatin1String(files[static_cast<int>(image)]));
    // The exit image is a 32 x 32 icon, drawn at the list's image size.
    if (picture.size() != kToolbarImageSize)
        picture =
            picture.scaled(kToolbarImageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QIcon(picture);
}

QIcon windowIcon32And16() {
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/images/kivo32-32.xpm")));
    icon.addPixmap(QPixmap(QStringLiteral(":/images/kivo32-16.xpm")));
    return icon;
}

} // namespace kivo
