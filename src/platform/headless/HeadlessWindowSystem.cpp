#include "platform/headless/HeadlessWindowSystem.h"

#include <algorithm>

#include "platform/FormPainter.h"
#include "platform/ModalWindows.h"
#include "platform/SystemError.h"

namespace vsp {

HeadlessWindowSystem::HeadlessWindowSystem(EventLoop& loop, const DeviceCaps& caps,
                                           MessageBoxes* boxes)
    : loop_(loop), caps_(caps), boxes_(boxes ? boxes : &ownBoxes_) {}

int HeadlessWindowSystem::TextWidth(std::string_view text) const { return TitleTextWidth(text, caps_.Scale()); }

bool HeadlessWindowSystem::CreateMainWindow(std::string_view className, std::string_view title) {
    log_.push_back("CreateMainWindow " + std::string(className) + " " + std::string(title));
    if (failCreate_ || mainWindow_) return false;
    mainWindow_ = true;
    mainVisible_ = true;
    title_.assign(title);
    mainRect_ = Rect{0, 0, caps_.screenWidth, caps_.screenHeight};
    return true;
}

void HeadlessWindowSystem::DestroyMainWindow() {
    log_.push_back("DestroyMainWindow");
    forms_.DestroyAll();
    loop_.KillTimers(kMainWindowHandle);
    mainWindow_ = false;
    mainVisible_ = false;
}

void HeadlessWindowSystem::SetMainWindowRect(const Rect& rect) {
    log_.push_back("SetMainWindowRect " + std::to_string(rect.Width()) + "x" +
                   std::to_string(rect.Height()));
    mainRect_ = rect;
}

void HeadlessWindowSystem::ShowMainWindow(bool visible) {
    log_.push_back(std::string("ShowMainWindow ") + (visible ? "1" : "0"));
    mainVisible_ = visible;
}

void HeadlessWindowSystem::UpdateMainWindow() { log_.push_back("UpdateMainWindow"); }

void HeadlessWindowSystem::InvalidateMainWindow() {
    invalid_ = true;
    log_.push_back("InvalidateMainWindow");
}

void HeadlessWindowSystem::PaintMainWindow(Colour fill) {
    lastFill_ = fill;
    invalid_ = false;
    ++paints_;
    log_.push_back("PaintMainWindow");
}

void HeadlessWindowSystem::SetFullScreen(bool on) {
    fullScreen_ = on;
    log_.push_back(std::string("SetFullScreen ") + (on ? "1" : "0"));
}

void HeadlessWindowSystem::BringToFront() {
    ++raises_;
    log_.push_back("BringToFront");
}

FormWindow* HeadlessWindowSystem::CreateForm(const FormTemplate& tmpl) {
    if (!mainWindow_) return nullptr;
    FormWindow* form = forms_.Create(tmpl);
    log_.push_back("CreateForm " + std::to_string(tmpl.id));
    return form;
}

void HeadlessWindowSystem::DestroyForm(FormWindow* form) {
    const int templateId = form ? form->TemplateId() : 0;
    if (!forms_.Destroy(form)) return;
    log_.push_back("DestroyForm " + std::to_string(templateId));
}

FormWindow* HeadlessWindowSystem::FindForm(WindowHandle handle) {
    return forms_.Find(handle);
}

void HeadlessWindowSystem::InvalidateForm(FormWindow* form) {}

bool HeadlessWindowSystem::CopyCanvas(FormWindow& form, const Canvas& canvas, const Rect& area) {
    log_.push_back("CopyCanvas " + std::to_string(form.TemplateId()) + " " + std::to_string(canvas.Width()) + "x" +
                   std::to_string(canvas.Height()));
    return form.SetPicture(canvas, area);
}

bool HeadlessWindowSystem::Snapshot(const FormWindow& form, Canvas& out) const {
    return SnapshotForm(form, colours_, caps_.Scale(), out);
}

int HeadlessWindowSystem::RunModalDialog(const FormTemplate& tmpl, ModalDialogProc& proc) {
    log_.push_back("RunModalDialog " + std::to_string(tmpl.id));
    dialogsRun_.push_back(tmpl.id);
    FormWindow dialog(forms_.NewHandle(), tmpl, caps_);
    PlaceDialog(dialog, caps_);
    proc.OnInit(dialog);
    if (dialogObserver) dialogObserver(dialog);
    const auto press = [&](int id) {
        const bool ended = proc.OnCommand(dialog, id);
        if (dialogObserver) dialogObserver(dialog);
        return ended;
    };
    while (!dialogButtons_.empty()) {
        const int id = dialogButtons_.front();
        dialogButtons_.pop_front();
        if (press(id)) return id;
    }
    DialogInput input;
    while (std::optional<Event> e = dialogInput ? dialogInput(dialog) : std::nullopt) {
        int id = DialogInput::Key(e->key.code);
        if (e->kind == EventKind::Tap) {
            input.Tap(dialog, e->x, e->y, TapPhase::Down);
            id = input.Tap(dialog, e->x, e->y, TapPhase::Up);
        }
        if (id != 0 && press(id)) return id;
    }
    return 0;
}

MessageBoxAnswer HeadlessWindowSystem::MessageBox(std::string_view text, std::string_view caption,
                                                  MessageBoxButtons buttons) {
    log_.push_back("MessageBox " + std::string(caption));
    return boxes_->Show(text, caption, buttons);
}

int HeadlessWindowSystem::LastErrorCode() const {
    return errorCode_ >= 0 ? errorCode_ : LastSystemErrorCode();
}

std::string HeadlessWindowSystem::ErrorText(int code) const {
    if (errorCode_ >= 0 && code == errorCode_ && !errorText_.empty()) return errorText_;
    return SystemErrorText(code);
}

void HeadlessWindowSystem::ScriptTap(int x, int y, int64_t delayMs) {
    Event e;
    e.kind = EventKind::Tap;
    e.x = x;
    e.y = y;
    e.phase = TapPhase::Down;
    loop_.PostAfter(delayMs, e);
    e.phase = TapPhase::Up;
    loop_.PostAfter(delayMs, e);
}

void HeadlessWindowSystem::ScriptKey(const KeyPress& key, int64_t delayMs) {
    Event e;
    e.kind = EventKind::Key;
    e.key = key;
    loop_.PostAfter(delayMs, e);
    e.kind = EventKind::KeyUp;
    loop_.PostAfter(delayMs, e);
}

void HeadlessWindowSystem::ScriptDialogButtons(const std::vector<int>& controlIds) {
    dialogButtons_.insert(dialogButtons_.end(), controlIds.begin(), controlIds.end());
}

void HeadlessWindowSystem::SetLastError(int code, std::string text) {
    errorCode_ = code;
    errorText_ = std::move(text);
}

std::vector<FormWindow*> HeadlessWindowSystem::Forms() const {
    std::vector<FormWindow*> out;
    for (const auto& f : forms_.Open()) out.push_back(f.get());
    return out;
}

}  // namespace vsp
