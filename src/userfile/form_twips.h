#pragma once

namespace kivo {

// A rectangle in twips from its page's (or frame's) corner, as the form was drawn.
struct Twips {
    int left, top, width, height;
};

// The form was drawn at 96 dots an inch, where 15 twips make one pixel, and every measure in it is
// a whole number of pixels. A measure off that grid is a slip of the pen: on the screen it would
// round to the pixel beside it and pass unseen.
inline constexpr int kTwipsPerPixel = 15;

constexpr bool onPixelGrid(const Twips& at) {
    const auto whole = [](int measure) { return measure % kTwipsPerPixel == 0; };
    return whole(at.left) && whole(at.top) && whole(at.width) && whole(at.height);
}
static_assert(onPixelGrid({15, 30, 0, 4215}) && !onPixelGrid({1, 30, 0, 15}) &&
              !onPixelGrid({15, 30, 0, 16}));

} // namespace kivo
