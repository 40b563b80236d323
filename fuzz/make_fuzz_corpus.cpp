// Writes the fuzzers' seed files into the folder given: small user files made by our own writer.
//   make_fuzz_corpus fuzz/corpus
#include "user_file_writer.h"

#include <string>

using namespace kivo;

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];

    UserRecord odd = tools::numberedUser(7);
    odd.Name = makeTextField<30>("\xC4k\xE9 \x81\x9D full name filling all thirty!");
    odd.Language = 200;
    odd.Packer = 255;
    odd.TimeLimit = -1;
    odd.ResumeNumber = -2147483647 - 1;
    odd.Long229.fill(-1);

    UserRecord markup = tools::numberedUser(3);
    markup.Name = makeTextField<30>("<b>Caller</b> &amp;\r\n\x1b[2J");

    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } seeds[] = {
        {"one-user", tools::userFileBytes({tools::numberedUser(1)})},
        {"three-users", tools::userFileBytes({tools::numberedUser(1), tools::numberedUser(2),
                                              tools::numberedUser(3)})},
        {"partial-record", tools::userFileBytes({tools::numberedUser(1)}, {'U', 's', 'e', 'r'})},
        {"odd-fields", tools::userFileBytes({odd, tools::numberedUser(2)})},
        {"markup-name", tools::userFileBytes({tools::numberedUser(1), markup})},
        {"short", {0x55, 0x73, 0x65, 0x72}},
    };
    bool written = true;
    for (const auto& seed : seeds)
        for (const char* target : {"record", "user_file", "window"})
            written =
                tools::writeFile(folder + "/" + target + "/" + seed.name, seed.bytes) && written;
    return written ? 0 : 1;
}
