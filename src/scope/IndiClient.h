#pragma once
// A client of an INDI server (indiserver, KStars' or Stellarium's): the property model kept up
// from the server's XML stream, and the TCP connection that feeds it and carries the client's
// new values. The stream is XML elements one after another with no root (INDI protocol 1.7);
// it is read by expat as a stream, behind a wrapper start tag of our own. Every wait is bounded
// by the caller's time-out, so that a silent server, one that closes mid-reply or a device
// that never defines its properties fails instead of hanging.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TcpSocket.h"

namespace vsp {

inline constexpr std::string_view kIndiScheme = "indi://";
inline constexpr int kIndiDefaultPort = 7624;

// "indi://HOST[:PORT]/DEVICE", the device name percent-decoded ("Telescope%20Simulator").
struct IndiAddress {
    TcpAddress server;
    std::string device;
};
bool IsIndiPath(std::string_view path);
// nullopt when the path is not an INDI path, has no device or a bad host or port.
std::optional<IndiAddress> ParseIndiPath(std::string_view path);

enum class IndiState { Idle, Ok, Busy, Alert };

struct IndiElement {
    std::string name;
    std::string value;   // the text as sent, blanks trimmed (a BLOB's base64 as it came)
    std::string format;  // a BLOB's format attribute (".fits")
};

struct IndiVector {
    std::string kind;  // "Number", "Switch", "Text", "Light" or "BLOB"
    std::string device;
    std::string name;
    IndiState state = IndiState::Idle;
    std::vector<IndiElement> elements;  // in the order the definition gave them
    // Counts every definition and update the server sent, so that a caller can tell an
    // answer to its own new value from the value that stood before.
    uint64_t updates = 0;

    const IndiElement* Find(std::string_view element) const;
    // A switch element set On.
    bool IsOn(std::string_view element) const;
    // A number element, decimal or sexagesimal ("6:30:12.5"); nullopt when absent or unreadable.
    std::optional<double> Number(std::string_view element) const;
};

// The vectors and messages the server's bytes define, whatever those bytes are: malformed
// XML stops the model (Broken), elements it does not know are passed over.
class IndiModel {
public:
    IndiModel();
    ~IndiModel();
    IndiModel(const IndiModel&) = delete;
    IndiModel& operator=(const IndiModel&) = delete;

    // False once the stream is no longer well-formed XML.
    bool Feed(std::string_view bytes);
    bool Broken() const { return broken_; }
    const IndiVector* Find(std::string_view device, std::string_view name) const;
    // Moves an element's text out (a BLOB's image, which need not be kept twice).
    std::string TakeValue(std::string_view device, std::string_view vector, std::string_view element);
    // Whether the server has defined any property of `device` yet.
    bool Knows(std::string_view device) const;
    // The `<message>` texts and vectors' message attributes (UTF-8) for `device` (and for no
    // device) since the last call, oldest first.
    std::vector<std::string> TakeMessages(std::string_view device);

private:
    struct Parser;
    void StartElement(std::string_view tag, const char** attributes);
    void EndElement(std::string_view tag);
    void Text(std::string_view text);

    std::unique_ptr<Parser> parser_;
    std::vector<IndiVector> vectors_;
    std::vector<std::pair<std::string, std::string>> messages_;  // device, text
    IndiVector* current_ = nullptr;
    IndiElement* element_ = nullptr;
    bool defining_ = false;
    bool broken_ = false;
};

// One new value of a vector the client sends.
struct IndiValue {
    std::string element;
    std::string value;
};

// The XML text of a value, escaped for an attribute or for element text.
std::string IndiEscape(std::string_view text);

class IndiConnection {
public:
    IndiConnection() = default;
    ~IndiConnection();
    IndiConnection(const IndiConnection&) = delete;
    IndiConnection& operator=(const IndiConnection&) = delete;

    // Connects within `timeoutMs` and asks for the device's properties. False when the server
    // cannot be reached.
    bool Open(const IndiAddress& address, int timeoutMs);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Device() const { return device_; }
    IndiModel& Model() { return *model_; }

    bool Send(std::string_view xml);
    // newNumberVector, newSwitchVector or newTextVector of the device (kind "Number", ...).
    bool SendNew(std::string_view kind, std::string_view vector, const std::vector<IndiValue>& values);
    // Reads what the server sent until `done` is true: false when `timeoutMs` passed first,
    // the server closed the connection or its stream broke (the connection is then closed).
    bool WaitFor(const std::function<bool()>& done, int timeoutMs);
    // Takes what has arrived without waiting; false when the connection was lost.
    bool Poll();
    // Reads until the server has been quiet for `quietMs` (the rest of a burst of
    // definitions), at most `timeoutMs`; false when the connection was lost.
    bool Settle(int quietMs, int timeoutMs);

private:
    bool ReadSome(int timeoutMs);

    int fd_ = -1;
    std::string device_;
    std::unique_ptr<IndiModel> model_ = std::make_unique<IndiModel>();
};

}  // namespace vsp
