#include "solarsystem/ElementLineStream.h"

#include <zlib.h>

#include <array>

namespace vsp {
namespace {

constexpr size_t kInflatePiece = 65536;
// Element lines are some 200 bytes; a stream without line ends is no element file.
constexpr size_t kLongestLine = 65536;
constexpr int kGzipWindowBits = 15 + 16;  // zlib: a gzip header and trailer around the data
constexpr unsigned char kGzipMagic0 = 0x1f, kGzipMagic1 = 0x8b;

}  // namespace

struct ElementLineStream::Inflater {
    z_stream z{};
    bool ended = false;
    Inflater() { inflateInit2(&z, kGzipWindowBits); }
    ~Inflater() { inflateEnd(&z); }
};

ElementLineStream::ElementLineStream(std::function<bool(std::string_view)> onLine) : onLine_(std::move(onLine)) {}

ElementLineStream::~ElementLineStream() = default;

bool ElementLineStream::Split(std::string_view text) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            partial_.append(text);
            if (partial_.size() <= kLongestLine) return true;
            error_ = "a line longer than " + std::to_string(kLongestLine) + " bytes";
            stopped_ = true;
            return false;
        }
        std::string_view line = text.substr(0, end);
        if (!partial_.empty()) {
            partial_.append(line);
            line = partial_;
        }
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!onLine_(line)) {
            stopped_ = true;
            return false;
        }
        partial_.clear();
        text.remove_prefix(end + 1);
    }
    return true;
}

bool ElementLineStream::Feed(std::string_view bytes) {
    if (stopped_) return false;
    if (!started_ && !bytes.empty()) {
        started_ = true;
        // Both magic bytes in the first piece: every source here gives at least two at once.
        if (bytes.size() >= 2 && uint8_t(bytes[0]) == kGzipMagic0 && uint8_t(bytes[1]) == kGzipMagic1)
            inflater_ = std::make_unique<Inflater>();
    }
    if (!inflater_) return Split(bytes);
    z_stream& z = inflater_->z;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = uInt(bytes.size());
    std::array<char, kInflatePiece> out;
    while (z.avail_in > 0 && !inflater_->ended) {
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = uInt(out.size());
        const int status = inflate(&z, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
            error_ = "damaged gzip data";
            stopped_ = true;
            return false;
        }
        if (!Split(std::string_view(out.data(), out.size() - z.avail_out))) return false;
        if (status == Z_STREAM_END) inflater_->ended = true;
        if (status == Z_BUF_ERROR && z.avail_out > 0) break;
    }
    return true;
}

bool ElementLineStream::Finish() {
    if (stopped_) return false;
    if (inflater_ && !inflater_->ended) {
        error_ = "the gzip data ends early";
        return false;
    }
    if (partial_.empty()) return true;
    const std::string last = std::move(partial_);
    partial_.clear();
    onLine_(last);
    return true;
}

}  // namespace vsp
