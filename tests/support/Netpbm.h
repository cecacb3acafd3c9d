#pragma once
// Pages rendered by poppler's pdftoppm, read back as pixels: binary PGM (P5) and PPM (P6) with
// eight-bit samples, as pdftoppm writes them.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace vsp::test {

struct NetpbmImage {
    int width = 0;
    int height = 0;
    int channels = 0;  // 1 grey, 3 red green blue; 0 when the file could not be read
    std::vector<unsigned char> samples;

    const unsigned char* At(int x, int y) const {
        return samples.data() + (size_t(y) * size_t(width) + size_t(x)) * size_t(channels);
    }
    int Grey(int x, int y) const {
        const unsigned char* p = At(x, y);
        return channels == 1 ? p[0] : (p[0] + p[1] + p[2]) / 3;
    }
};

inline NetpbmImage ReadNetpbm(const std::string& path) {
    NetpbmImage image;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    in >> magic >> image.width >> image.height >> maximum;
    in.get();
    if (!in || maximum != 255 || (magic != "P5" && magic != "P6")) return {};
    const int channels = magic == "P5" ? 1 : 3;
    image.samples.resize(size_t(image.width) * size_t(image.height) * size_t(channels));
    in.read(reinterpret_cast<char*>(image.samples.data()), std::streamsize(image.samples.size()));
    if (!in) return {};
    image.channels = channels;
    return image;
}

inline bool HasPoppler() { return std::system("command -v pdfinfo >/dev/null && command -v pdftoppm >/dev/null") == 0; }

// The first page of `pdf` at `dpi`, in grey or in colour, rendered beside `base`.
inline NetpbmImage RenderFirstPage(const std::string& pdf, int dpi, bool grey, const std::string& base) {
    const std::string command = "pdftoppm -r " + std::to_string(dpi) + (grey ? " -gray" : "") + " -singlefile '" + pdf +
                                "' '" + base + "'";
    if (std::system(command.c_str()) != 0) return {};
    return ReadNetpbm(base + (grey ? ".pgm" : ".ppm"));
}

// What a shell command printed.
inline std::string CommandOutput(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, n);
        pclose(pipe);
    }
    return text;
}

}  // namespace vsp::test
