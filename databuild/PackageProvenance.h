#pragma once
// One line naming where an input file came from, for the sources of the built files: the
// package and the version that installed it, so that a file can be traced back and rebuilt.

#include <string>

namespace vsp::databuild {

// "PACKAGE VERSION PATH" when the installed Debian package lists the file, else "PATH".
std::string DebianFileProvenance(const std::string& package, const std::string& path);
// "NAME VERSION PATH" from the package.json of the npm package folder, else "PATH".
std::string NpmFileProvenance(const std::string& packageDir, const std::string& path);

}  // namespace vsp::databuild
