#include "platform/headless/ScriptedMessageBoxes.h"

namespace vsp {

MessageBoxAnswer ScriptedMessageBoxes::Show(std::string_view text, std::string_view caption,
                                            MessageBoxButtons buttons) {
    MessageBoxRecord record{std::string(text), std::string(caption), buttons};
    shown_.push_back(record);
    if (whileShowing) whileShowing(record);
    if (!answers_.empty()) {
        MessageBoxAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return buttons == MessageBoxButtons::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
}

}  // namespace vsp
