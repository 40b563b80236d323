#pragma once

#include <QIcon>

namespace kivo {

enum class ToolbarImage { Open, Update, Print, Undo, Exit };

// The toolbar's five images at 16 x 15, light grey (192, 192, 192) made transparent.
QIcon toolbarImage(ToolbarImage image);

// The window's icon: a 32 x 32 and a 16 x 16 image, 16 colours each.
QIcon windowIcon32And16();

} // namespace kivo
