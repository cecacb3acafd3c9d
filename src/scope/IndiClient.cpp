#include "scope/IndiClient.h"

#include <expat.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <utility>

#include "platform/ParseNumber.h"
#include "platform/Text.h"

namespace vsp {

namespace {

// The largest text one element may carry: a 16-bit frame of 4096 x 4096 pixels in base64 is
// about 45 MB. More is taken for a broken stream rather than eating the memory.
constexpr size_t kMaxElementText = 256u << 20;
constexpr size_t kMaxMessages = 64;
// Our wrapper around the root-less stream.
constexpr std::string_view kWrapperStart = "<indi>";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> PercentDecoded(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        out += char(high * 16 + low);
        i += 2;
    }
    return out;
}

IndiState StateOf(std::string_view text) {
    if (text == "Ok") return IndiState::Ok;
    if (text == "Busy") return IndiState::Busy;
    if (text == "Alert") return IndiState::Alert;
    return IndiState::Idle;
}

// "defNumberVector" -> {"def", "Number"}; empty kind for a tag that is no vector.
std::pair<std::string_view, std::string_view> VectorTag(std::string_view tag) {
    for (std::string_view verb : {"def", "set"}) {
        if (tag.size() > verb.size() + 6 && tag.starts_with(verb) && tag.ends_with("Vector"))
            return {verb, tag.substr(verb.size(), tag.size() - verb.size() - 6)};
    }
    return {{}, {}};
}

// Null when the element has no such attribute.
const char* FindAttribute(const char** attributes, std::string_view name) {
    for (int i = 0; attributes[i] && attributes[i + 1]; i += 2)
        if (name == attributes[i]) return attributes[i + 1];
    return nullptr;
}

std::string_view Attribute(const char** attributes, std::string_view name) {
    const char* value = FindAttribute(attributes, name);
    return value ? value : std::string_view();
}

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

}  // namespace

bool IsIndiPath(std::string_view path) { return path.starts_with(kIndiScheme); }

std::optional<IndiAddress> ParseIndiPath(std::string_view path) {
    if (!IsIndiPath(path)) return std::nullopt;
    path.remove_prefix(kIndiScheme.size());
    const size_t slash = path.find('/');
    if (slash == std::string_view::npos || slash + 1 == path.size()) return std::nullopt;
    auto server = ParseTcpAddress(path.substr(0, slash), kIndiDefaultPort);
    auto device = PercentDecoded(path.substr(slash + 1));
    if (!server || !device) return std::nullopt;
    return IndiAddress{*server, *device};
}

const IndiElement* IndiVector::Find(std::string_view element) const {
    const auto found = std::ranges::find(elements, element, &IndiElement::name);
    return found == elements.end() ? nullptr : &*found;
}

bool IndiVector::IsOn(std::string_view element) const {
    const IndiElement* found = Find(element);
    return found && found->value == "On";
}

std::optional<double> IndiVector::Number(std::string_view element) const {
    const IndiElement* found = Find(element);
    if (!found) return std::nullopt;
    std::string_view text = found->value;
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    // Sexagesimal: up to three fields separated by ':' or ' ', each added at 1/60 of the last.
    double total = 0, scale = 1;
    for (int field = 0; field < 3 && !text.empty(); ++field) {
        const size_t end = text.find_first_of(": ");
        double value = 0;
        if (!ParseWhole(text.substr(0, end), value) || !std::isfinite(value)) return std::nullopt;
        total += value * scale;
        scale /= 60;
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    if (!text.empty()) return std::nullopt;
    return negative ? -total : total;
}

struct IndiModel::Parser {
    XML_Parser xml = XML_ParserCreate("UTF-8");
    int depth = 0;
    ~Parser() { XML_ParserFree(xml); }
};

IndiModel::IndiModel() : parser_(std::make_unique<Parser>()) {
    XML_SetUserData(parser_->xml, this);
    XML_SetElementHandler(
        parser_->xml,
        [](void* self, const XML_Char* tag, const XML_Char** attributes) {
            static_cast<IndiModel*>(self)->StartElement(tag, attributes);
        },
        [](void* self, const XML_Char* tag) { static_cast<IndiModel*>(self)->EndElement(tag); });
    XML_SetCharacterDataHandler(parser_->xml, [](void* self, const XML_Char* text, int length) {
        static_cast<IndiModel*>(self)->Text(std::string_view(text, size_t(length)));
    });
    Feed(kWrapperStart);
}

IndiModel::~IndiModel() = default;

bool IndiModel::Feed(std::string_view bytes) {
    if (broken_) return false;
    if (XML_Parse(parser_->xml, bytes.data(), int(bytes.size()), 0) != XML_STATUS_OK) broken_ = true;
    return !broken_;
}

const IndiVector* IndiModel::Find(std::string_view device, std::string_view name) const {
    for (const IndiVector& vector : vectors_)
        if (vector.device == device && vector.name == name) return &vector;
    return nullptr;
}

std::string IndiModel::TakeValue(std::string_view device, std::string_view vector, std::string_view element) {
    for (IndiVector& v : vectors_) {
        if (v.device != device || v.name != vector) continue;
        for (IndiElement& e : v.elements)
            if (e.name == element) return std::exchange(e.value, {});
    }
    return {};
}

bool IndiModel::Knows(std::string_view device) const {
    return std::ranges::any_of(vectors_, [device](const IndiVector& v) { return v.device == device; });
}

std::vector<std::string> IndiModel::TakeMessages(std::string_view device) {
    std::vector<std::string> taken;
    std::erase_if(messages_, [&](const auto& message) {
        if (!message.first.empty() && message.first != device) return false;
        taken.push_back(message.second);
        return true;
    });
    return taken;
}

void IndiModel::StartElement(std::string_view tag, const char** attributes) {
    const int depth = ++parser_->depth;
    const std::string_view message = Attribute(attributes, "message");
    if (depth == 2 && !message.empty() && messages_.size() < kMaxMessages)
        messages_.emplace_back(std::string(Attribute(attributes, "device")), std::string(message));
    if (depth == 2 && tag == "delProperty") {
        const std::string_view device = Attribute(attributes, "device"), name = Attribute(attributes, "name");
        std::erase_if(vectors_, [&](const IndiVector& v) { return v.device == device && (name.empty() || v.name == name); });
        return;
    }
    if (depth == 2) {
        const auto [verb, kind] = VectorTag(tag);
        if (kind.empty()) return;
        const std::string_view device = Attribute(attributes, "device"), name = Attribute(attributes, "name");
        const IndiVector* known = Find(device, name);
        defining_ = verb == "def";
        if (!known && !defining_) return;
        if (!known) {
            IndiVector& added = vectors_.emplace_back();
            added.kind = kind;
            added.device = device;
            added.name = name;
        }
        current_ = const_cast<IndiVector*>(known ? known : &vectors_.back());
        if (defining_) current_->elements.clear();
        if (const char* state = FindAttribute(attributes, "state")) current_->state = StateOf(state);
        return;
    }
    if (depth == 3 && current_) {
        const std::string_view name = Attribute(attributes, "name");
        auto found = std::ranges::find(current_->elements, name, &IndiElement::name);
        if (found == current_->elements.end()) {
            if (!defining_) return;
            current_->elements.push_back({std::string(name), {}, {}});
            found = current_->elements.end() - 1;
        }
        element_ = &*found;
        element_->value.clear();
        element_->format = Attribute(attributes, "format");
    }
}

void IndiModel::EndElement(std::string_view) {
    const int depth = parser_->depth--;
    if (depth == 3 && element_) {
        element_->value = std::string(TrimBlanks(element_->value));
        element_ = nullptr;
    } else if (depth == 2 && current_) {
        ++current_->updates;
        current_ = nullptr;
    }
}

void IndiModel::Text(std::string_view text) {
    if (!element_) return;
    if (element_->value.size() + text.size() > kMaxElementText) {
        broken_ = true;
        XML_StopParser(parser_->xml, XML_FALSE);
        return;
    }
    element_->value.append(text);
}

std::string IndiEscape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

IndiConnection::~IndiConnection() { Close(); }

bool IndiConnection::Open(const IndiAddress& address, int timeoutMs) {
    Close();
    fd_ = TcpConnect(address.server, timeoutMs);
    if (fd_ < 0) return false;
    device_ = address.device;
    model_ = std::make_unique<IndiModel>();
    return Send("<getProperties version=\"1.7\" device=\"" + IndiEscape(device_) + "\"/>\n");
}

void IndiConnection::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool IndiConnection::Send(std::string_view xml) {
    constexpr int kSendTimeoutMs = 3000;
    if (fd_ >= 0 && SendAll(fd_, xml, kSendTimeoutMs)) return true;
    Close();
    return false;
}

bool IndiConnection::SendNew(std::string_view kind, std::string_view vector, const std::vector<IndiValue>& values) {
    std::string xml = "<new" + std::string(kind) + "Vector device=\"" + IndiEscape(device_) + "\" name=\"" +
                      IndiEscape(vector) + "\">\n";
    for (const IndiValue& value : values)
        xml += "  <one" + std::string(kind) + " name=\"" + IndiEscape(value.element) + "\">" +
               IndiEscape(value.value) + "</one" + std::string(kind) + ">\n";
    xml += "</new" + std::string(kind) + "Vector>\n";
    return Send(xml);
}

bool IndiConnection::ReadSome(int timeoutMs) {
    if (fd_ < 0) return false;
    if (!WaitReadable(fd_, timeoutMs)) return true;
    std::array<char, 65536> buffer;
    const ssize_t got = ::recv(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return true;
    if (got <= 0 || !model_->Feed(std::string_view(buffer.data(), size_t(got)))) {
        Close();
        return false;
    }
    return true;
}

bool IndiConnection::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const int left = RemainingMs(deadline);
        if (left == 0 || !ReadSome(left)) return false;
    }
    return true;
}

bool IndiConnection::Settle(int quietMs, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (fd_ >= 0 && RemainingMs(deadline) > 0 && WaitReadable(fd_, std::min(quietMs, RemainingMs(deadline))))
        if (!ReadSome(0)) return false;
    return fd_ >= 0;
}

bool IndiConnection::Poll() {
    for (int n = 0; n < 1024 && fd_ >= 0 && WaitReadable(fd_, 0); ++n)
        if (!ReadSome(0)) return false;
    return fd_ >= 0;
}

}  // namespace vsp
