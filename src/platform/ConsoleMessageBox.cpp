#include "platform/ConsoleMessageBox.h"

#include <ostream>

#include "platform/Text.h"

namespace vsp {

namespace {

void WriteLines(std::ostream& out, std::string_view first, std::string_view second) {
    out << Cp1252ToUtf8(first) << '\n';
    if (!second.empty()) out << Cp1252ToUtf8(second) << '\n';
    out.flush();
}

}  // namespace

ConsoleMessageBoxes::ConsoleMessageBoxes(std::ostream& out) : out_(out) {}

MessageBoxAnswer ConsoleMessageBoxes::Show(std::string_view text, std::string_view,
                                           MessageBoxButtons buttons) {
    const size_t newline = text.find('\n');
    if (newline == std::string_view::npos) {
        WriteLines(out_, text, {});
    } else {
        WriteLines(out_, text.substr(0, newline), text.substr(newline + 1));
    }
    return buttons == MessageBoxButtons::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
}

ConsoleInfoSink::ConsoleInfoSink(std::ostream& out) : out_(out) {}

int ConsoleInfoSink::InfoBox(std::string_view firstLine, std::string_view secondLine) {
    WriteLines(out_, firstLine, secondLine);
    return 1;
}

}  // namespace vsp
