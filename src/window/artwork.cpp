#include "artwork.h"

#include <QImage>
#include <QPixmap>

namespace kivo {
namespace {

constexpr QSize kToolbarImageSize{16, 15};
constexpr QRgb kMaskColour = qRgb(192, 192, 192);

QImage masked(const QString& resource) {
    QImage image = QImage(resource).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == (kMaskColour & 0x00FFFFFF))
                line[x] = qRgba(0, 0, 0, 0);
    }
    return image;
}

} // namespace

QIcon toolbarImage(ToolbarImage image) {
    static const char* const files[] = {":/images/tb-open.xpm", ":/images/tb-update.xpm",
                                        ":/images/tb-print.xpm", ":/images/tb-undo.xpm",
                                        ":/images/tb-exit.xpm"};
    QImage picture = masked(QLatin1String(files[static_cast<int>(image)]));
    // The exit image is a 32 x 32 icon, drawn at the list's image size.
    if (picture.size() != kToolbarImageSize)
        picture =
            picture.scaled(kToolbarImageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QIcon(QPixmap::fromImage(picture));
}

QIcon windowIcon32And16() {
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/images/kivo32-32.xpm")));
    icon.addPixmap(QPixmap(QStringLiteral(":/images/kivo32-16.xpm")));
    return icon;
}

} // namespace kivo
