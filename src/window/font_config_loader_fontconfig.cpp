#include "font_config_loader.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace kivo {

FontConfigLoader::FontConfigLoader() {
    try {
        read_ = std::async(std::launch::async, FcInit);
    } catch (const std::system_error&) {
        // No thread to be had: Qt reads the configuration itself, as it always could.
    }
}

bool FontConfigLoader::wait() {
    return read_.valid() && read_.get() == FcTrue;
}

} // namespace kivo
