#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace vsp {

SharedLibrary::SharedLibrary(const char* soname) {
    handle_ = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        error_ = why ? why : std::string(soname) + ": cannot be opened";
    }
}

void* SharedLibrary::Find(const char* symbol) {
    if (!handle_) return nullptr;
    void* address = dlsym(handle_, symbol);
    if (!address) error_ = std::string(symbol) + " is missing from the library";
    return address;
}

}  // namespace vsp
