// Holds a screenshot of Tavlor's window against the view it should show, which
// this tool works out from the raw controller picture alone: the picture at
// (5, 5) inside a 5-pixel frame of one colour, the rectangle of every held
// input tinted with the controller's highlight colour, and every view pixel
// enlarged to a SCALE x SCALE block of the window.
//
// Usage: view_check.exe SHOT.ppm PICTURE.bgr OUT SCALE FRAME HIGHLIGHT LIT
//   SHOT.ppm     the window and nothing else (binary PPM, 8 bits a channel)
//   PICTURE.bgr  the raw 484 x 175 picture, blue, green, red a pixel, top row first
//   OUT          writes OUT.report.txt, OUT.expected.ppm and OUT.diff.ppm
//   SCALE        1 to 4
//   FRAME        the frame colour, HIGHLIGHT the highlight colour, both 0xAARRGGBB;
//                the alpha byte is ignored, a 24-bit screen has none
//   LIT          the held inputs: none, or a comma list of up, down, left, right, b1 ... b12
//
// Every window pixel is compared. The report has one line per region of the
// view (the four frame edges, the sixteen input rectangles, the centre of the
// cross and the rest of the picture), "ok" or "DIFFERENT" with the count and
// the first differing pixel, and a last line "result: N of M regions differ".
// The diff image shows matching pixels dimmed and differing ones in magenta.
// Exit code 0 when every pixel matches, 1 when any differs, 2 for bad
// arguments or files.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <cstring>
#include <string>
#include <vector>

#include "../common/env_path.h"

namespace {

constexpr int kViewWidth = 494, kViewHeight = 185;
constexpr int kPictureWidth = 484, kPictureHeight = 175, kPictureLeft = 5, kPictureTop = 5;

struct Rect {
    int left, top, right, bottom; // right and bottom exclusive
};

struct Region {
    const char* name;
    Rect rect;
    enum Kind { Input, Frame, Picture } kind;
};

// Regions in view pixels. The sixteen inputs come first, in the order of the
// program's input table; the centre of the cross and the rest of the picture
// are never tinted. Where rows overlap the first one wins (only the rest of
// the picture overlaps anything).
const Region kRegions[] = {
    {"up", {74, 37, 111, 74}, Region::Input},
    {"down", {74, 111, 111, 148}, Region::Input},
    {"left", {37, 74, 74, 111}, Region::Input},
    {"right", {111, 74, 148, 111}, Region::Input},
    {"b1", {313, 41, 342, 70}, Region::Input},
    {"b2", {350, 41, 379, 70}, Region::Input},
    {"b3", {387, 41, 416, 70}, Region::Input},
    {"b4", {424, 41, 453, 70}, Region::Input},
    {"b5", {313, 78, 342, 107}, Region::Input},
    {"b6", {350, 78, 379, 107}, Region::Input},
    {"b7", {387, 78, 416, 107}, Region::Input},
    {"b8", {424, 78, 453, 107}, Region::Input},
    {"b9", {313, 115, 342, 144}, Region::Input},
    {"b10", {350, 115, 379, 144}, Region::Input},
    {"b11", {387, 115, 416, 144}, Region::Input},
    {"b12", {424, 115, 453, 144}, Region::Input},
    {"cross-centre", {74, 74, 111, 111}, Region::Picture},
    {"frame-top", {0, 0, 494, 5}, Region::Frame},
    {"frame-left", {0, 5, 5, 180}, Region::Frame},
    {"frame-right", {489, 5, 494, 180}, Region::Frame},
    {"frame-bottom", {0, 180, 494, 185}, Region::Frame},
    {"picture-rest", {5, 5, 489, 180}, Region::Picture},
};
constexpr int kRegionCount = sizeof kRegions / sizeof kRegions[0];
constexpr int kInputCount = 16;

struct Rgb {
    unsigned char r, g, b;
};

bool operator!=(const Rgb& a, const Rgb& b) {
    return a.r != b.r || a.g != b.g || a.b != b.b;
}

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

struct Options {
    std::wstring shot, picture, out;
    int scale = 0;
    unsigned long frame = 0, highlight = 0;
    bool lit[kInputCount] = {};
    std::string litText;
};

int usage(const char* problem) {
    std::fprintf(stderr, "view_check: %s\n", problem);
    std::fprintf(stderr,
                 "usage: view_check.exe SHOT.ppm PICTURE.bgr OUT SCALE FRAME HIGHLIGHT LIT\n");
    return 2;
}

std::string narrow(const std::wstring& text) {
    std::string result;
    for (wchar_t c : text)
        result += c < 128 ? static_cast<char>(c) : '?';
    return result;
}

Rgb fromColor(unsigned long color) {
    return {static_cast<unsigned char>((color >> 16) & 0xFF),
            static_cast<unsigned char>((color >> 8) & 0xFF),
            static_cast<unsigned char>(color & 0xFF)};
}

bool parseColor(const std::wstring& text, unsigned long& color) {
    wchar_t* end = nullptr;
    color = std::wcstoul(text.c_str(), &end, 0);
    return !text.empty() && *end == 0;
}

bool parseLit(const std::wstring& text, Options& options) {
    options.litText = narrow(text);
    if (text == L"none")
        return true;
    for (size_t start = 0; start <= text.size();) {
        size_t comma = text.find(L',', start);
        if (comma == std::wstring::npos)
            comma = text.size();
        std::string name = narrow(text.substr(start, comma - start));
        int found = -1;
        for (int i = 0; i < kInputCount; ++i) {
            if (name == kRegions[i].name)
                found = i;
        }
        if (found < 0)
            return false;
        options.lit[found] = true;
        start = comma + 1;
    }
    return true;
}

bool readFile(const std::wstring& path, std::vector<unsigned char>& bytes) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr)
        return false;
    unsigned char buffer[65536];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + count);
    std::fclose(file);
    return true;
}

// A binary PPM ("P6") with a maximum value of 255.
bool readPpm(const std::wstring& path, Image& image) {
    std::vector<unsigned char> bytes;
    if (!readFile(path, bytes) || bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6')
        return false;
    size_t at = 2;
    long fields[3] = {};
    for (long& field : fields) {
        for (;;) {
            while (at < bytes.size() && std::strchr(" \t\r\n", bytes[at]) != nullptr)
                ++at;
            if (at < bytes.size() && bytes[at] == '#') {
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
                continue;
            }
            break;
        }
        if (at >= bytes.size() || bytes[at] < '0' || bytes[at] > '9')
            return false;
        while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9' && field < 100000)
            field = field * 10 + (bytes[at++] - '0');
    }
    ++at; // the single whitespace byte before the pixels
    image.width = static_cast<int>(fields[0]);
    image.height = static_cast<int>(fields[1]);
    size_t count = static_cast<size_t>(image.width) * image.height;
    if (fields[2] != 255 || image.width < 1 || image.height < 1 || bytes.size() < at + count * 3)
        return false;
    image.pixels.resize(count);
    for (size_t i = 0; i < count; ++i)
        image.pixels[i] = {bytes[at + 3 * i], bytes[at + 3 * i + 1], bytes[at + 3 * i + 2]};
    return true;
}

bool writePpm(const std::wstring& path, Image& image) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height);
    bool ok = std::fwrite(image.pixels.data(), 3, image.pixels.size(), file) == image.pixels.size();
    return std::fclose(file) == 0 && ok;
}

bool parseArguments(int argc, wchar_t** argv, Options& options) {
    if (argc != 8)
        return false;
    options.shot = windowsPath(argv[1]);
    options.picture = windowsPath(argv[2]);
    options.out = windowsPath(argv[3]);
    options.scale = std::wcstol(argv[4], nullptr, 10);
    return options.scale >= 1 && options.scale <= 4 && parseColor(argv[5], options.frame) &&
           parseColor(argv[6], options.highlight) && parseLit(argv[7], options);
}

// The view as it should be, at scale 1, and the region of each of its pixels.
struct View {
    Image pixels;
    std::vector<int> region; // per view pixel: the index into kRegions
};

// The tint adds to each of red, green and blue three quarters of the
// highlight's component, rounded half up, and stops at 255.
unsigned char tinted(unsigned char value, unsigned char component) {
    int sum = value + (3 * component + 2) / 4;
    return static_cast<unsigned char>(sum > 255 ? 255 : sum);
}

void composeView(const Options& options, const std::vector<unsigned char>& picture, View& view) {
    view.pixels.width = kViewWidth;
    view.pixels.height = kViewHeight;
    view.pixels.pixels.assign(static_cast<size_t>(kViewWidth) * kViewHeight, Rgb{0, 0, 0});
    view.region.assign(view.pixels.pixels.size(), -1);
    Rgb frame = fromColor(options.frame), highlight = fromColor(options.highlight);
    for (int y = 0; y < kViewHeight; ++y) {
        for (int x = 0; x < kViewWidth; ++x) {
            int region = -1;
            for (int i = 0; i < kRegionCount; ++i) {
                const Rect& r = kRegions[i].rect;
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom && region < 0)
                    region = i;
            }
            view.region[static_cast<size_t>(y) * kViewWidth + x] = region;
            Rgb& pixel = view.pixels.at(x, y);
            if (kRegions[region].kind == Region::Frame) {
                pixel = frame;
                continue;
            }
            size_t source =
                3 * (static_cast<size_t>(y - kPictureTop) * kPictureWidth + (x - kPictureLeft));
            pixel = {picture[source + 2], picture[source + 1], picture[source]};
            if (region < kInputCount && options.lit[region])
                pixel = {tinted(pixel.r, highlight.r), tinted(pixel.g, highlight.g),
                         tinted(pixel.b, highlight.b)};
        }
    }
}

struct RegionResult {
    long pixels = 0, differing = 0;
    int firstX = -1, firstY = -1;
    Rgb got = {}, expected = {};
};

const char* describe(const Options& options, int region) {
    if (kRegions[region].kind == Region::Frame)
        return "frame colour";
    if (region < kInputCount && options.lit[region])
        return "picture, tinted";
    return "picture";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // The test script reads the report on Linux: no carriage returns.
    _setmode(_fileno(stdout), _O_BINARY);
    Options options;
    if (!parseArguments(argc, argv, options))
        return usage("bad arguments");
    std::vector<unsigned char> picture;
    if (!readFile(options.picture, picture) ||
        picture.size() != static_cast<size_t>(kPictureWidth) * kPictureHeight * 3)
        return usage("the picture cannot be read or is not 484 x 175 x 3 bytes");
    Image shot;
    if (!readPpm(options.shot, shot))
        return usage("the screenshot cannot be read as a binary PPM with 8 bits a channel");

    View view;
    composeView(options, picture, view);
    const int scale = options.scale;
    Image expected, diff;
    expected.width = diff.width = kViewWidth * scale;
    expected.height = diff.height = kViewHeight * scale;
    expected.pixels.resize(static_cast<size_t>(expected.width) * expected.height);
    diff.pixels.resize(expected.pixels.size());

    std::string report;
    char line[512];
    Rgb highlight = fromColor(options.highlight);
    std::snprintf(line, sizeof line,
                  "shot %dx%d, expected %dx%d at scale %d; frame 0x%08lx, highlight 0x%08lx "
                  "(adds %d,%d,%d to red,green,blue); lit %s\n",
                  shot.width, shot.height, expected.width, expected.height, scale, options.frame,
                  options.highlight, (3 * highlight.r + 2) / 4, (3 * highlight.g + 2) / 4,
                  (3 * highlight.b + 2) / 4, options.litText.c_str());
    report += line;

    RegionResult results[kRegionCount];
    bool sizeMatches = shot.width == expected.width && shot.height == expected.height;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            size_t viewIndex = static_cast<size_t>(y / scale) * kViewWidth + x / scale;
            Rgb want = view.pixels.pixels[viewIndex];
            expected.at(x, y) = want;
            RegionResult& result = results[view.region[viewIndex]];
            ++result.pixels;
            bool inside = x < shot.width && y < shot.height;
            Rgb got = inside ? shot.at(x, y) : Rgb{0, 0, 0};
            if (!inside || got != want) {
                if (result.differing++ == 0) {
                    result.firstX = x;
                    result.firstY = y;
                    result.got = got;
                    result.expected = want;
                }
                diff.at(x, y) = {255, 0, 255};
            } else {
                unsigned char dim = static_cast<unsigned char>((got.r + got.g + got.b) / 9);
                diff.at(x, y) = {dim, dim, dim};
            }
        }
    }
    if (!sizeMatches) {
        std::snprintf(line, sizeof line, "DIFFERENT size: the shot is %dx%d, expected %dx%d\n",
                      shot.width, shot.height, expected.width, expected.height);
        report += line;
    }
    int differingRegions = 0;
    for (int i = 0; i < kRegionCount; ++i) {
        const Rect& r = kRegions[i].rect;
        const RegionResult& result = results[i];
        char where[64];
        std::snprintf(where, sizeof where, "(%d,%d)-(%d,%d)", r.left * scale, r.top * scale,
                      r.right * scale, r.bottom * scale);
        int written = std::snprintf(line, sizeof line, "%-9s %-12s window %-22s %-15s",
                                    result.differing ? "DIFFERENT" : "ok", kRegions[i].name, where,
                                    describe(options, i));
        if (result.differing == 0) {
            std::snprintf(line + written, sizeof line - written, " all %ld pixels match\n",
                          result.pixels);
        } else {
            ++differingRegions;
            std::snprintf(line + written, sizeof line - written,
                          " %ld of %ld pixels differ, first at (%d,%d): got %d,%d,%d, expected "
                          "%d,%d,%d\n",
                          result.differing, result.pixels, result.firstX, result.firstY,
                          result.got.r, result.got.g, result.got.b, result.expected.r,
                          result.expected.g, result.expected.b);
        }
        report += line;
    }
    std::snprintf(line, sizeof line, "result: %d of %d regions differ%s\n", differingRegions,
                  kRegionCount, sizeMatches ? "" : ", and the size differs");
    report += line;
    std::fputs(report.c_str(), stdout);

    FILE* file = _wfopen((options.out + L".report.txt").c_str(), L"wb");
    bool written = file != nullptr && std::fputs(report.c_str(), file) >= 0;
    if (file != nullptr)
        written = std::fclose(file) == 0 && written;
    if (!written || !writePpm(options.out + L".expected.ppm", expected) ||
        !writePpm(options.out + L".diff.ppm", diff))
        return usage("cannot write the report or the images");
    return differingRegions == 0 && sizeMatches ? 0 : 1;
}
