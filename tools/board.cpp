// A board writing its user file, for tests that drive the viewer from another process:
//   board append PATH FIRST COUNT   appends numbered users FIRST … FIRST + COUNT - 1
//   board write PATH COUNT          writes a file of numbered users 1 … COUNT
#include "board_writer.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    using namespace kivo::tools;
    const std::string command = argc > 1 ? argv[1] : "";
    bool done = false;
    if (command == "append" && argc == 5)
        done = appendUsers(argv[2], numberedUsers(std::atoll(argv[3]), std::atoll(argv[4])));
    else if (command == "write" && argc == 4)
        done = recreateFile(argv[2], numberedUsers(1, std::atoll(argv[3])));
    else
        std::fputs("usage: board append PATH FIRST COUNT | board write PATH COUNT\n", stderr);
    return done ? 0 : 1;
}
