// Writes Tavlor's application icon, every size in one .ico file, to the path given.
#include <cstdio>
#include <vector>

#include "tools/tavlor_icon.h"
#include "tools/write_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_icon OUTPUT.ico\n");
        return 2;
    }
    std::vector<uint8_t> file = buildTavlorIcon();
    if (!writeFile(argv[1], file.data(), file.size())) {
        std::fprintf(stderr, "draw_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
