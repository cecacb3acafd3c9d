#pragma once
// The last error of a system call and its text.

#include <string>

namespace vsp {

int LastSystemErrorCode();  // errno
std::string SystemErrorText(int code);

}  // namespace vsp
