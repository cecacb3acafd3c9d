#pragma once
// Message boxes without a screen: each box is recorded and answered from a script; with the
// script empty an OK box answers OK and a Yes/No box answers Yes.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace vsp {

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
};

class ScriptedMessageBoxes : public MessageBoxes {
public:
    MessageBoxAnswer Show(std::string_view text, std::string_view caption,
                          MessageBoxButtons buttons) override;

    void QueueAnswer(MessageBoxAnswer answer) { answers_.push_back(answer); }
    const std::vector<MessageBoxRecord>& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

    // Runs while a box is "on screen", before it is answered: what happens meanwhile on the
    // user-interface thread (timers, posted commands) can be played here.
    std::function<void(const MessageBoxRecord&)> whileShowing;

private:
    std::deque<MessageBoxAnswer> answers_;
    std::vector<MessageBoxRecord> shown_;
};

}  // namespace vsp
