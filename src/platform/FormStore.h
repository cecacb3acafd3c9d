#pragma once
// The form windows a window backend holds: handles, lookup, closing. Closed windows live
// until the next form is made, so a handler that closed its own form can still return
// through it.

#include <memory>
#include <vector>

#include "platform/DeviceCaps.h"
#include "platform/EventLoop.h"
#include "platform/FormWindow.h"

namespace vsp {

class FormStore {
public:
    FormStore(EventLoop& loop, const DeviceCaps& caps) : loop_(loop), caps_(caps) {}

    FormWindow* Create(const FormTemplate& tmpl);
    // Stops the window's timers, releases its control hooks and hides it; false when the
    // window is not one of ours.
    bool Destroy(FormWindow* form);
    void DestroyAll();
    FormWindow* Find(WindowHandle handle);
    // A handle for a window that is not kept here (a modal dialog).
    WindowHandle NewHandle() { return nextHandle_++; }
    const std::vector<std::unique_ptr<FormWindow>>& Open() const { return open_; }

private:
    void Close(std::unique_ptr<FormWindow>& form);

    EventLoop& loop_;
    const DeviceCaps& caps_;
    WindowHandle nextHandle_ = kMainWindowHandle + 1;
    std::vector<std::unique_ptr<FormWindow>> open_;
    std::vector<std::unique_ptr<FormWindow>> closed_;
};

}  // namespace vsp
