// Pixel measurements on binary PPM (P6) screenshots, for the end-to-end tests.
//   pixtool bbox IMG [x0 y0 x1 y1]       lit pixels in the region: "count minx miny maxx maxy"
//   pixtool diff A B [x0 y0 x1 y1]       pixels whose colour differs, inside the region
//   pixtool maskdiff A B X0 Y0 X1 Y1     pixels outside the region whose lit/unlit state differs
//   pixtool alike A B                    how alike two renderings of one frame are: "pixels near scene sceneNear",
//                                        near within 4 levels on every channel, the scene the pixels lit in either
//                                        picture, sceneNear those of them within 16 levels
// A pixel is lit when any channel exceeds LIT; regions are inclusive and default to the whole image.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int LIT = 8;

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const { return &rgb[3 * (std::size_t(y) * width + x)]; }
    bool lit(int x, int y) const {
        const unsigned char* p = at(x, y);
        return p[0] > LIT || p[1] > LIT || p[2] > LIT;
    }
};

struct Rect {
    int x0, y0, x1, y1;
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

int skipSpaceAndComments(std::FILE* f) {
    int c = std::fgetc(f);
    while (c == '#' || c == ' ' || c == '\n' || c == '\r' || c == '\t') {
        if (c == '#')
            while (c != '\n' && c != EOF) c = std::fgetc(f);
        c = std::fgetc(f);
    }
    return c;
}

int readNumber(std::FILE* f) {
    int c = skipSpaceAndComments(f), n = 0;
    for (; c >= '0' && c <= '9'; c = std::fgetc(f)) n = n * 10 + (c - '0');
    return n;
}

Image load(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f || std::fgetc(f) != 'P' || std::fgetc(f) != '6') {
        std::fprintf(stderr, "pixtool: %s is not a binary PPM\n", path);
        std::exit(2);
    }
    Image img;
    img.width = readNumber(f);
    img.height = readNumber(f);
    if (readNumber(f) != 255) {
        std::fprintf(stderr, "pixtool: %s is not 8-bit\n", path);
        std::exit(2);
    }
    img.rgb.resize(std::size_t(img.width) * img.height * 3);
    if (std::fread(img.rgb.data(), 1, img.rgb.size(), f) != img.rgb.size()) {
        std::fprintf(stderr, "pixtool: %s is truncated\n", path);
        std::exit(2);
    }
    std::fclose(f);
    return img;
}

Rect regionArg(char** argv, int first, int argc, const Image& img) {
    if (argc >= first + 4)
        return {std::atoi(argv[first]), std::atoi(argv[first + 1]), std::atoi(argv[first + 2]),
                std::atoi(argv[first + 3])};
    return {0, 0, img.width - 1, img.height - 1};
}

int largestChannelDifference(const unsigned char* p, const unsigned char* q) {
    int largest = 0;
    for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(int(p[c]) - int(q[c])));
    return largest;
}

void requireSameSize(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) {
        std::fprintf(stderr, "pixtool: images differ in size\n");
        std::exit(2);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string cmd = argc > 1 ? argv[1] : "";
    if (cmd == "bbox" && argc >= 3) {
        const Image img = load(argv[2]);
        const Rect r = regionArg(argv, 3, argc, img);
        long count = 0;
        int minx = img.width, miny = img.height, maxx = -1, maxy = -1;
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x)
                if (r.contains(x, y) && img.lit(x, y)) {
                    ++count;
                    if (x < minx) minx = x;
                    if (x > maxx) maxx = x;
                    if (y < miny) miny = y;
                    if (y > maxy) maxy = y;
                }
        std::printf("%ld %d %d %d %d\n", count, minx, miny, maxx, maxy);
        return 0;
    }
    if ((cmd == "diff" && argc >= 4) || (cmd == "maskdiff" && argc >= 8)) {
        const Image a = load(argv[2]), b = load(argv[3]);
        requireSameSize(a, b);
        const Rect r = regionArg(argv, 4, argc, a);
        long count = 0;
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) {
                if (cmd == "diff" && r.contains(x, y)) {
                    const unsigned char *p = a.at(x, y), *q = b.at(x, y);
                    count += p[0] != q[0] || p[1] != q[1] || p[2] != q[2];
                } else if (cmd == "maskdiff" && !r.contains(x, y)) {
                    count += a.lit(x, y) != b.lit(x, y);
                }
            }
        std::printf("%ld\n", count);
        return 0;
    }
    if (cmd == "alike" && argc == 4) {
        const Image a = load(argv[2]), b = load(argv[3]);
        requireSameSize(a, b);
        long near = 0, scene = 0, sceneNear = 0;
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) {
                const int d = largestChannelDifference(a.at(x, y), b.at(x, y));
                near += d <= 4;
                if (a.lit(x, y) || b.lit(x, y)) {
                    ++scene;
                    sceneNear += d <= 16;
                }
            }
        std::printf("%ld %ld %ld %ld\n", long(a.width) * a.height, near, scene, sceneNear);
        return 0;
    }
    std::fprintf(stderr, "usage: pixtool bbox IMG [x0 y0 x1 y1] | diff A B [x0 y0 x1 y1] | maskdiff A B x0 y0 x1 y1"
                         " | alike A B\n");
    return 2;
}
