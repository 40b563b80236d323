#pragma once

// The fuzz input kept in an in-memory file, opened by its name like any file the user picks.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace kivo::fuzz {

class InputFile {
public:
    // Makes the input the file's whole content and returns the file's name.
    std::string write(const std::uint8_t* data, std::size_t size) {
        if (fd_ < 0 || ::ftruncate(fd_, 0) != 0)
            std::abort();
        for (std::size_t done = 0; done < size;) {
            const ssize_t n = ::pwrite(fd_, data + done, size - done, off_t(done));
            if (n <= 0)
                std::abort();
            done += std::size_t(n);
        }
        return "/proc/self/fd/" + std::to_string(fd_);
    }

private:
    int fd_ = ::memfd_create("kivo-fuzz-input", MFD_CLOEXEC);
};

} // namespace kivo::fuzz
