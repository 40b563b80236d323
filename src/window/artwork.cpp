#include "artwork.h"

#include <QBitmap>
#include <QPixmap>

#include <array>

// The images are XPM, which is C: compiled in, each is decoded straight from its array. Read as
// files (from resources), the first image would make Qt look through every image format plug-in
// before it, some milliseconds of every start.
#include "images/kivo32-16.xpm"
#include "images/kivo32-32.xpm"
#include "images/tb-exit.xpm"
#include "images/tb-open.xpm"
#include "images/tb-print.xpm"
#include "images/tb-undo.xpm"
#include "images/tb-update.xpm"

namespace kivo {
namespace {

constexpr QSize kToolbarImageSize{16, 15};
constexpr QRgb kMaskColour = qRgb(192, 192, 192);

QPixmap masked(const char* const* xpm) {
    QPixmap pixmap(xpm);
    pixmap.setMask(pixmap.createMaskFromColor(kMaskColour, Qt::MaskInColor));
    return pixmap;
}

} // namespace

QIcon toolbarImage(ToolbarImage image) {
    static constexpr std::array<const char* const*, 5> images = {
        tb_open_xpm, tb_update_xpm, tb_print_xpm, tb_undo_xpm, tb_exit_xpm};
    QPixmap picture = masked(images[static_cast<std::size_t>(image)]);
    // The exit image is a 32 x 32 icon, drawn at the list's image size.
    if (picture.size() != kToolbarImageSize)
        picture =
            picture.scaled(kToolbarImageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QIcon(picture);
}

QIcon windowIcon32And16() {
    QIcon icon;
    icon.addPixmap(QPixmap(kivo32_32_xpm));
    icon.addPixmap(QPixmap(kivo32_16_xpm));
    return icon;
}

} // namespace kivo
