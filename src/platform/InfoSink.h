#pragma once
// Where the lower layers send the messages a user must see. The shell's InfoBox (with its
// queue) implements it; command mode writes to standard error; tests record what arrives.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vsp {

class InfoSink {
public:
    virtual ~InfoSink() = default;
    // Two narrow lines in the device code page; the second may be empty. Returns 1 when the
    // message could be shown (or queued), 0 when there is nowhere to show it: the documented
    // result of the information box, kept as it is for every sink.
    virtual int InfoBox(std::string_view firstLine, std::string_view secondLine) = 0;
    // How far a long job has come (two narrow lines), shown until the next call or EndProgress:
    // the shell's progress box, a line on standard error. A sink with nowhere to show it
    // leaves it.
    virtual void ShowProgress(std::string_view /*firstLine*/, std::string_view /*secondLine*/) {}
    virtual void EndProgress() {}
};

// Keeps every message; for tests and for callers that report later.
class RecordingInfoSink : public InfoSink {
public:
    int InfoBox(std::string_view first, std::string_view second) override {
        messages.emplace_back(std::string(first), std::string(second));
        return 1;
    }
    void ShowProgress(std::string_view first, std::string_view second) override {
        progress.emplace_back(std::string(first), std::string(second));
    }
    void EndProgress() override { ++progressEnds; }
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<std::pair<std::string, std::string>> progress;
    int progressEnds = 0;
};

}  // namespace vsp
