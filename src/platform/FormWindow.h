#pragma once
// A form window: the modeless dialog built from a form template, holding its controls.
// Template rectangles are in 96-dpi layout pixels and are scaled to the device on creation.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Control.h"
#include "platform/DeviceCaps.h"
#include "platform/Geometry.h"

namespace vsp {

// Identifies a window to the event loop (timers). 0 is no window.
using WindowHandle = uint32_t;
inline constexpr WindowHandle kNoWindow = 0;
inline constexpr WindowHandle kMainWindowHandle = 1;

// Layout pixels of the 96-dpi reference screen to device pixels.
Rect ScaleTemplateRect(const Rect& layout, const DeviceCaps& caps);

// The offscreen bitmap a form's owner copied into it last, and the rectangle of the window it
// covers (device pixels, as the bounds).
struct FormPicture {
    Rect area;
    Canvas pixels;
};

class FormWindow {
public:
    FormWindow(WindowHandle handle, const FormTemplate& tmpl, const DeviceCaps& caps);

    WindowHandle Handle() const { return handle_; }
    int TemplateId() const { return templateId_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string_view title) { title_.assign(title); }

    const Rect& Bounds() const { return rect_; }
    void SetBounds(const Rect& rect) { rect_ = rect; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    Control* FindControl(int id);
    const Control* FindControl(int id) const;
    // The topmost visible control under a point, or null.
    Control* ControlAt(int x, int y);
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

    int FocusedControl() const { return focusedId_; }
    void SetFocusedControl(int id) { focusedId_ = id; }

    // Releases every control hook (used when the window goes away).
    void ReleaseAllHooks();

    // Keeps a copy of `canvas` for `area` of the window: the canvas from its top-left corner,
    // cut to the area (a smaller canvas covers only its own size). Replaces the earlier
    // picture; false, with no picture left, when the copy cannot be made.
    bool SetPicture(const Canvas& canvas, const Rect& area);
    void ClearPicture() { picture_.pixels.Free(); }
    // Null before the first copy and after ClearPicture.
    const FormPicture* Picture() const { return picture_.pixels.Empty() ? nullptr : &picture_; }

private:
    WindowHandle handle_;
    int templateId_;
    std::string title_;
    Rect rect_;
    bool visible_ = true;
    int focusedId_ = 0;
    std::vector<std::unique_ptr<Control>> controls_;
    FormPicture picture_;
};

}  // namespace vsp
