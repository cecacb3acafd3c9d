#include "platform/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "platform/ReplaceFile.h"
#include "platform/SystemError.h"

namespace vsp {
namespace {

void StopOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// libpng leaves this function by longjmp on an error, so nothing in it may own a resource
// with a destructor; `row` is the caller's buffer of 3 bytes per pixel.
bool EncodePng(std::FILE* file, const Canvas& canvas, png_bytep row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, StopOnError, IgnoreWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(canvas.Width()), png_uint_32(canvas.Height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Colour c = UnpackRgb565(canvas.At(x, y));
            row[3 * x] = ColourRed(c);
            row[3 * x + 1] = ColourGreen(c);
            row[3 * x + 2] = ColourBlue(c);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const Canvas& canvas, const std::string& path, std::string& error) {
    std::vector<png_byte> row(size_t(canvas.Width()) * 3);
    const bool ok = !canvas.Empty() && ReplaceFile(path, [&](std::FILE* file) {
        return EncodePng(file, canvas, row.data());
    });
    if (!ok) {
        const int code = LastSystemErrorCode();
        error = "Can't write " + path + ": " +
                (canvas.Empty() ? "the picture is empty"
                 : code != 0    ? SystemErrorText(code)
                                : "the picture could not be encoded");
    }
    return ok;
}

}  // namespace vsp
