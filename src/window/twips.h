#pragma once

#include "form_twips.h"

#include <QRect>

namespace kivo {

// The layout is measured in twips, a pixel being one logical pixel: Qt's device-independent
// pixels then keep the layout right on high-DPI screens.
constexpr int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
// To the nearest pixel: half a pixel and more rounds up.
static_assert(pixels(7) == 0 && pixels(8) == 1 && pixels(22) == 1 && pixels(23) == 2);

constexpr QRect twipRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace kivo
