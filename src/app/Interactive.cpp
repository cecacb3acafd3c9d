#include "app/Interactive.h"

#include <iostream>

namespace vsp::app {

int RunInteractive(int, char**) {
    std::cerr << "vespertar: the interactive window is not available in this build yet; "
                 "see `vespertar --help` for the commands.\n";
    return 1;
}

}  // namespace vsp::app
