#include "font_config_loader.h"

namespace kivo {

// Qt asks the system for its fonts directly here: there is no configuration to read ahead.
FontConfigLoader::FontConfigLoader() = default;
bool FontConfigLoader::wait() {
    return true;
}

} // namespace kivo
