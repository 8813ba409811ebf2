// Writes the controller picture that Tavlor embeds as RCDATA to the path given.
#include <cstdio>
#include <vector>

#include "tools/picture_art.h"
#include "tools/write_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_picture OUTPUT.bgr\n");
        return 2;
    }
    std::vector<uint8_t> pixels(kPictureBytes);
    drawControllerPicture(pixels.data());
    if (!writeFile(argv[1], pixels.data(), pixels.size())) {
        std::fprintf(stderr, "draw_picture: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
