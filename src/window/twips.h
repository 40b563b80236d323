#pragma once

#include <QRect>

namespace kivo {

// The layout is measured in twips; 15 twips make one logical pixel. Qt's device-independent
// pixels then keep the layout right on high-DPI screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect twipRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace kivo
