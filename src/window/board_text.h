#pragma once

#include <QString>

#include <string_view>

namespace kivo {

// A text as the board stored it (its code page) as the window shows it.
QString boardText(std::string_view bytes);

} // namespace kivo
