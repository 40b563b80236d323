// Writes a user file of awkward users (tools::awkwardUser): make_awkward_userfile <users> <path>
#include "user_file_writer.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_awkward_userfile <users> <path of the user file to write>\n";
        return 2;
    }
    const long long count = std::stoll(argv[1]);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    for (long long number = 1; number <= count; ++number) {
        const auto bytes = kivo::encodeRecord(kivo::tools::awkwardUser(number));
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    if (!out.flush()) {
        std::cerr << "could not write " << argv[2] << "\n";
        return 1;
    }
    std::cout << "wrote " << count << " users to " << argv[2] << "\n";
    return 0;
}
