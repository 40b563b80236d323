#include "font_config_loader.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace kivo {

FontConfigLoader::FontConfigLoader() {
    try {
        reader_ = std::jthread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to be had: Qt reads the configuration itself, as it always could.
    }
}

void FontConfigLoader::wait() {
    if (reader_.joinable())
        reader_.join();
}

} // namespace kivo
