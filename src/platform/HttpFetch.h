#pragma once
// Text files fetched over HTTP(S) for the imports and the element-set downloads.

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/InfoSink.h"

namespace vsp {

inline constexpr size_t kHttpPieceSize = 4096;

// True for an http:// or https:// address: the sources the imports fetch rather than read.
inline bool IsWebAddress(std::string_view source) {
    return source.starts_with("http://") || source.starts_with("https://");
}

// How long a fetch waits: for the connection, with no byte arriving once connected (a server
// that accepts and never answers), and for the whole transfer (a server that drips a byte now
// and then must not hold the program either).
struct HttpTimeouts {
    long connectSeconds = 10;
    long stalledSeconds = 15;
    long totalSeconds = 60;
};

// Redirections followed before a fetch gives up (a loop of them ends there).
inline constexpr long kHttpRedirectLimit = 10;

// Fetches `address` into `buffer`: the body in 4096-byte pieces appended while the total
// stays below capacity - 1 (the rest dropped without a message), NUL-terminated. Returns the
// number of bytes stored; 0 with a message on `messages` when the fetch failed (no buffer,
// no connection, an HTTP status of 400 or more, a time-out, a body shorter than its
// Content-Length, too many redirections). A transfer that lasts past a second shows its
// progress on `messages` every second, ended by EndProgress.
size_t LoadFileFromUrl(std::string_view address, char* buffer, size_t capacity, InfoSink& messages,
                       const HttpTimeouts& timeouts = {});

// Streams the body of `address` to `consume` as it arrives, piece by piece, with the time-outs,
// progress and messages of LoadFileFromUrl. `consume` returns false to end the transfer; the
// fetch is then false with no message of its own. Nothing of the body is kept here.
bool StreamFromUrl(std::string_view address, const std::function<bool(std::string_view)>& consume,
                   InfoSink& messages, const HttpTimeouts& timeouts = {});

}  // namespace vsp
