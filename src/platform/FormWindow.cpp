#include "platform/FormWindow.h"

#include <algorithm>

namespace vsp {

Rect ScaleTemplateRect(const Rect& layout, const DeviceCaps& caps) {
    auto sx = [&](int v) { return v * caps.logPixelsX / kReferenceDpi; };
    auto sy = [&](int v) { return v * caps.logPixelsY / kReferenceDpi; };
    return Rect{sx(layout.left), sy(layout.top), sx(layout.right), sy(layout.bottom)};
}

FormWindow::FormWindow(WindowHandle handle, const FormTemplate& tmpl, const DeviceCaps& caps)
    : handle_(handle),
      templateId_(tmpl.id),
      title_(tmpl.title),
      rect_{0, 0, caps.screenWidth, caps.screenHeight} {
    controls_.reserve(tmpl.controls.size());
    for (const ControlTemplate& c : tmpl.controls) {
        controls_.push_back(
            std::make_unique<Control>(c, ScaleTemplateRect(c.rect, caps), caps.listRowHeight));
    }
}

Control* FormWindow::FindControl(int id) {
    for (auto& c : controls_) {
        if (c->Id() == id) return c.get();
    }
    return nullptr;
}

const Control* FormWindow::FindControl(int id) const {
    return const_cast<FormWindow*>(this)->FindControl(id);
}

Control* FormWindow::ControlAt(int x, int y) {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if ((*it)->Visible() && (*it)->Bounds().Contains(x, y)) return it->get();
    }
    return nullptr;
}

void FormWindow::ReleaseAllHooks() {
    for (auto& c : controls_) c->ReleaseSubclass();
}

bool FormWindow::SetPicture(const Canvas& canvas, const Rect& area) {
    const Rect part = MakeRect(0, 0, std::min(canvas.Width(), area.Width()), std::min(canvas.Height(), area.Height()));
    if (!picture_.pixels.CreateFrom(canvas, part)) return false;
    picture_.area = MakeRect(area.left, area.top, part.Width(), part.Height());
    return true;
}

}  // namespace vsp
