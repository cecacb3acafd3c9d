#pragma once
// Pictures of a canvas as PNG files (8-bit RGB), for `vespertar chart -o` and snapshots.

#include <string>

#include "platform/Canvas.h"

namespace vsp {

// Writes `canvas` to `path` through a temporary file and a rename, so a failure leaves no partial
// picture behind (and any earlier file as it was). False with `error` set, naming the path
// and the system's reason, when the file cannot be written or the canvas is empty.
bool WritePng(const Canvas& canvas, const std::string& path, std::string& error);

}  // namespace vsp
