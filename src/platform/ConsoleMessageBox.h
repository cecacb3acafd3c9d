#pragma once
// Message boxes for command mode: no window, the text goes to standard error in UTF-8, the
// first line and then the rest when it is not empty. Every box answers OK (Yes for Yes/No).

#include <iosfwd>

#include "platform/InfoSink.h"
#include "platform/MessageBox.h"

namespace vsp {

class ConsoleMessageBoxes : public MessageBoxes {
public:
    explicit ConsoleMessageBoxes(std::ostream& out);
    MessageBoxAnswer Show(std::string_view text, std::string_view caption,
                          MessageBoxButtons buttons) override;

private:
    std::ostream& out_;
};

// InfoBox for command mode, with the same output.
class ConsoleInfoSink : public InfoSink {
public:
    explicit ConsoleInfoSink(std::ostream& out);
    int InfoBox(std::string_view firstLine, std::string_view secondLine) override;

private:
    std::ostream& out_;
};

}  // namespace vsp
