#pragma once
// A system library opened on first use instead of at start-up. Linking libcurl, cairo and SDL2
// into the program made every command pay for loading them and their dependencies (over 80
// libraries, most of a headless command's time) though only downloads, SVG/PDF pages and the
// window call them.
// The functions a caller uses are listed once; VSP_LAZY_API builds a table of pointers typed
// from the library's own header, so a call through the table is checked as a direct one is.

#include <string>

namespace vsp {

class SharedLibrary {
public:
    // `soname` is the runtime name (libcurl.so.4), never the development link.
    // Never closed: the library's own exit handlers may run after the program's last use.
    explicit SharedLibrary(const char* soname);
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The address of `symbol`, or null (and Error() says why).
    void* Find(const char* symbol);
    bool Loaded() const { return handle_ != nullptr; }
    // Empty while every step so far succeeded.
    const std::string& Error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

// The table `Api` (made with VSP_LAZY_API) of `soname`, loaded on the first call and kept;
// null when the library or one of its functions is missing, `why` then saying which.
template <class Api>
const Api* OpenLazyApi(const char* soname, std::string* why = nullptr) {
    static SharedLibrary library(soname);
    static Api api;
    static const bool resolved = library.Loaded() && api.Resolve(library);
    if (!resolved && why) *why = library.Error();
    return resolved ? &api : nullptr;
}

}  // namespace vsp

// VSP_LAZY_API(Type, prefix, LIST) declares a struct Type with one pointer per X(prefix, name)
// of LIST, named `name` and typed from the declaration of prefix##name. Members go without the
// prefix so that function-like macros in a library's header (libcurl's type-checking
// curl_easy_setopt) do not expand at the call.
#define VSP_LAZY_MEMBER(prefix, name) decltype(&::prefix##name) name = nullptr;
#define VSP_LAZY_RESOLVE(prefix, name)                                     \
    name = reinterpret_cast<decltype(name)>(library.Find(#prefix #name)); \
    if (!name) return false;
#define VSP_LAZY_API(Type, prefix, LIST)                                        \
    struct Type {                                                               \
        LIST(VSP_LAZY_MEMBER, prefix)                                           \
        bool Resolve(::vsp::SharedLibrary& library) {                           \
            LIST(VSP_LAZY_RESOLVE, prefix)                                      \
            return true;                                                        \
        }                                                                       \
    };
