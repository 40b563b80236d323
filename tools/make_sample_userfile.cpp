// Writes the sample user file: make_sample_userfile <path>
#include "sample_users.h"
#include "user_file_writer.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sample_userfile <path of BBBSUSER.DAT to write>\n";
        return 2;
    }
    const auto users = kivo::tools::sampleUsers();
    if (!kivo::tools::writeFile(argv[1], kivo::tools::userFileBytes(users))) {
        std::cerr << "could not write " << argv[1] << "\n";
        return 1;
    }
    std::cout << "wrote " << users.size() << " users to " << argv[1] << "\n";
    return 0;
}
