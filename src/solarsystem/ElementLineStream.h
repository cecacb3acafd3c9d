#pragma once
// A byte stream cut into lines as it arrives, inflated first when it begins with gzip's magic
// bytes (1f 8b), so that a file of any size is read holding one piece and one line at a time.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vsp {

class ElementLineStream {
public:
    // `onLine` gets each line without its end ("\n", "\r\n"); returning false stops the stream.
    explicit ElementLineStream(std::function<bool(std::string_view)> onLine);
    ~ElementLineStream();

    // False once the stream is stopped or the gzip data is damaged (Error says which).
    bool Feed(std::string_view bytes);
    // The last line (one without an end); false when the gzip data ended early.
    bool Finish();
    const std::string& Error() const { return error_; }

private:
    bool Split(std::string_view text);

    struct Inflater;
    std::function<bool(std::string_view)> onLine_;
    std::unique_ptr<Inflater> inflater_;
    std::string partial_;
    std::string error_;
    bool started_ = false;
    bool stopped_ = false;
};

}  // namespace vsp
