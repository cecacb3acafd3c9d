#pragma once
// A device played on a pseudo-terminal for the serial protocols' tests: every byte the client
// writes is kept (the wire) and added to the command being read, which `answer` looks at
// after each byte; it returns the reply to write (empty for none) and clears the command once
// it has been taken.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vsp::test {

class ScriptedPty {
public:
    using Answer = std::function<std::string(std::string& command)>;
    explicit ScriptedPty(Answer answer);
    ~ScriptedPty();
    const std::string& Path() const { return path_; }
    // What came over the wire once `bytes` bytes have (bounded, for a broken build only).
    std::string Wire(size_t bytes);

private:
    void Serve();

    Answer answer_;
    int device_ = -1, held_ = -1;
    std::string path_, wire_;
    std::mutex mutex_;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

// Plays a controller from a script: each command, once the client sent it whole (the bytes
// since the last reply end with it), gets its reply, in the script's order.
using Script = std::vector<std::pair<std::string, std::string>>;

struct ScriptedController : ScriptedPty {
    explicit ScriptedController(Script script);
};

}  // namespace vsp::test
