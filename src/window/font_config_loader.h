#pragma once

#include <future>

namespace kivo {

// The system's font configuration is read the first time any text is measured: fontconfig parses
// its XML files and loads its font lists, some 3 ms of every start on the window's thread, before
// the first caption can be drawn. A loader made before the QApplication reads it on a thread of
// its own while Qt loads its platform and the style. Call wait() before the first text: Qt then
// finds the configuration read, where it would otherwise read it a second time beside the loader.
// Where Qt draws text without fontconfig (Windows), it does nothing.
class FontConfigLoader {
public:
    FontConfigLoader();

    // Whether the configuration has been read ahead: false when no thread could be had for it,
    // true where there is none to read.
    bool wait();

private:
    std::future<int> read_; // waited for at the latest as the loader goes
};

} // namespace kivo
