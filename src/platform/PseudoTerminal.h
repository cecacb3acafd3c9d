#pragma once
// The device end of an emulated mount or receiver: a new pseudo-terminal that clients reach
// through a symlink at a path of the user's choosing, or an existing terminal device (a real
// serial line, another program's pseudo-terminal) served in its place. Raw bytes, no echo,
// every wait bounded. Failures answer false or Failed with LastSystemErrorCode() telling why.

#include <string>
#include <string_view>

namespace vsp {

// What a wait for the client's bytes found. NoClient: nobody holds the pseudo-terminal open;
// the wait still lasted its time, so a caller that loops on it does not spin.
enum class PortRead { Bytes, Quiet, NoClient, Failed };

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // `path` names a terminal device (a link to one counts): serve it at 9600 baud. Nothing
    // there, or a dangling symlink: make a pseudo-terminal and a symlink at `path` to it. Any
    // other file is left alone and the open fails (EEXIST).
    bool Open(const std::string& path);
    // What a client opens: the pseudo-terminal's own device (/dev/pts/N) or the device served.
    const std::string& DevicePath() const { return device_; }
    // Appends what the client sent within `waitMs`.
    PortRead Read(std::string& into, int waitMs);
    // Bytes the line cannot take within `waitMs` (a client that does not read) are dropped,
    // as a serial line drops them; false only when the device failed.
    bool Write(std::string_view bytes, int waitMs);
    // Removes the symlink, when it still points to this pseudo-terminal.
    void Close();

private:
    bool OpenTerminal(const std::string& path);
    bool OpenPseudoTerminal(const std::string& linkPath);

    int fd_ = -1;
    std::string device_;
    std::string link_;  // the symlink made by Open, empty when serving a device
};

}  // namespace vsp
