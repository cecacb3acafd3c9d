#include "platform/sdl/SdlWindowSystem.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/FormPainter.h"
#include "platform/ModalWindows.h"
#include "platform/SharedLibrary.h"
#include "platform/SystemError.h"
#include "platform/Text.h"
#include "platform/sdl/SdlInput.h"

namespace vsp {

namespace {

#define VSP_SDL_FUNCTIONS(X, p) \
    X(p, CreateRenderer) X(p, CreateTexture) X(p, CreateWindow) X(p, DestroyRenderer) \
    X(p, DestroyTexture) X(p, DestroyWindow) X(p, GetDisplayUsableBounds) X(p, InitSubSystem) \
    X(p, PollEvent) X(p, QuitSubSystem) X(p, RaiseWindow) X(p, RenderClear) X(p, RenderCopy) \
    X(p, RenderFillRect) X(p, RenderPresent) X(p, RenderReadPixels) X(p, RenderSetViewport) \
    X(p, RestoreWindow) X(p, SetRenderDrawColor) X(p, SetWindowMinimumSize) X(p, ShowWindow) \
    X(p, UpdateTexture) X(p, WaitEventTimeout)
VSP_LAZY_API(SdlApi, SDL_, VSP_SDL_FUNCTIONS)

const SdlApi* LoadSdl() { return OpenLazyApi<SdlApi>("libSDL2-2.0.so.0"); }
// Only reached once the video subsystem has started, so after a successful LoadSdl().
const SdlApi& Sdl() { return *LoadSdl(); }


// While a handler runs long (and polls for input), the screen is refreshed this often, so that
// what it changes meanwhile shows.
constexpr int64_t kRefreshMs = 1000;

SDL_Rect ToSdl(const Rect& r) { return SDL_Rect{r.left, r.top, r.Width(), r.Height()}; }

// Whatever a form does with an event (input, a command, a timer) may change what it shows:
// the screen is drawn again once the event has been handled.
class RedrawAfter : public EventHandler {
public:
    RedrawAfter(EventHandler& inner, bool& dirty) : inner_(inner), dirty_(dirty) {}
    void HandleEvent(const Event& e) override {
        inner_.HandleEvent(e);
        dirty_ = true;
    }

private:
    EventHandler& inner_;
    bool& dirty_;
};

}  // namespace

int DisplayFittingDpi() {
    // A title bar and a frame as window managers draw them, generously.
    constexpr int kFrameWidth = 16, kFrameHeight = 48;
    if (!LoadSdl() || Sdl().InitSubSystem(SDL_INIT_VIDEO) != 0) return kReferenceDpi;
    SDL_Rect usable{};
    const bool known = Sdl().GetDisplayUsableBounds(0, &usable) == 0;
    Sdl().QuitSubSystem(SDL_INIT_VIDEO);
    if (!known) return kReferenceDpi;
    return DeviceCaps::DpiFitting(usable.w - kFrameWidth, usable.h - kFrameHeight, 1);
}

SdlWindowSystem::SdlWindowSystem(EventLoop& loop, const DeviceCaps& caps)
    : loop_(loop), caps_(caps) {}

SdlWindowSystem::~SdlWindowSystem() {
    if (window_) DestroyMainWindow();
    if (sdlStarted_) Sdl().QuitSubSystem(SDL_INIT_VIDEO);
}

int SdlWindowSystem::TextWidth(std::string_view text) const { return TitleTextWidth(text, caps_.Scale()); }

bool SdlWindowSystem::CreateMainWindow(std::string_view className, std::string_view title) {
    if (window_) return false;
    if (!sdlStarted_) {
        if (!LoadSdl() || Sdl().InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        sdlStarted_ = true;
    }
    const std::string caption = Cp1252ToUtf8(title);
    window_ = Sdl().CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               caps_.screenWidth, caps_.screenHeight, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (!window_) return false;
    const DeviceCaps smallest = DeviceCaps::ForDpi(DeviceCaps::DpiFitting(0, 0, 2));
    Sdl().SetWindowMinimumSize(window_, smallest.screenWidth, smallest.screenHeight);
    windowWidth_ = caps_.screenWidth;
    windowHeight_ = caps_.screenHeight;
    PlaceScreen();
    renderer_ = Sdl().CreateRenderer(window_, -1, 0);
    if (!renderer_) renderer_ = Sdl().CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        Sdl().DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    mainRect_ = Rect{0, 0, caps_.screenWidth, caps_.screenHeight};
    mainVisible_ = true;
    Redraw();
    return true;
}

void SdlWindowSystem::DestroyMainWindow() {
    forms_.DestroyAll();
    loop_.KillTimers(kMainWindowHandle);
    if (canvasTexture_) Sdl().DestroyTexture(canvasTexture_);
    canvasTexture_ = nullptr;
    if (renderer_) Sdl().DestroyRenderer(renderer_);
    if (window_) Sdl().DestroyWindow(window_);
    renderer_ = nullptr;
    window_ = nullptr;
    mainVisible_ = false;
}

void SdlWindowSystem::SetMainWindowRect(const Rect& rect) {
    mainRect_ = rect;
    dirty_ = true;
}

void SdlWindowSystem::ShowMainWindow(bool visible) {
    mainVisible_ = visible;
    dirty_ = true;
}

void SdlWindowSystem::UpdateMainWindow() {
    if (dirty_) Redraw();
}

void SdlWindowSystem::PaintMainWindow(Colour fill) {
    fill_ = fill;
    Redraw();
}

void SdlWindowSystem::BringToFront() {
    if (!window_) return;
    Sdl().ShowWindow(window_);
    Sdl().RestoreWindow(window_);
    Sdl().RaiseWindow(window_);
}

FormWindow* SdlWindowSystem::CreateForm(const FormTemplate& tmpl) {
    if (!window_) return nullptr;
    FormWindow* form = forms_.Create(tmpl);
    dirty_ = true;
    return form;
}

void SdlWindowSystem::DestroyForm(FormWindow* form) {
    if (forms_.Destroy(form)) dirty_ = true;
}

FormWindow* SdlWindowSystem::FindForm(WindowHandle handle) {
    return forms_.Find(handle);
}

bool SdlWindowSystem::CopyCanvas(FormWindow& form, const Canvas& canvas, const Rect& area) {
    const bool copied = form.SetPicture(canvas, area);
    Redraw();
    return copied;
}

int SdlWindowSystem::RunModalDialog(const FormTemplate& tmpl, ModalDialogProc& proc) {
    FormWindow dialog(forms_.NewHandle(), tmpl, caps_);
    PlaceDialog(dialog, caps_);
    proc.OnInit(dialog);
    if (!window_) return 0;  // nowhere to show it, nothing can press a button
    const FormWindow* below = dialog_;
    dialog_ = &dialog;
    DialogInput input;
    int result = 0;
    bool done = false;
    RunModal(
        [&](const Event& e) {
            const int command = e.kind == EventKind::Tap ? input.Tap(dialog, e.x, e.y, e.phase)
                                                         : DialogInput::Key(e.key.code);
            dirty_ = true;  // the procedure may have changed a control
            if (command != 0 && proc.OnCommand(dialog, command)) result = command, done = true;
        },
        done);
    dialog_ = below;
    dirty_ = true;
    return result;
}

MessageBoxAnswer SdlWindowSystem::MessageBox(std::string_view text, std::string_view caption,
                                             MessageBoxButtons buttons) {
    Canvas measure;
    if (!window_ || !measure.Create(caps_.screenWidth, caps_.screenHeight)) {
        // Nowhere to show it: the text goes where a user of the command line sees it.
        std::fprintf(stderr, "%s: %s\n", Cp1252ToUtf8(caption).c_str(), Cp1252ToUtf8(text).c_str());
        return MessageBoxInput({}, buttons).Closed();
    }
    MessageBoxInput input(LayOutMessageBox(measure, caps_.Scale(), text, buttons), buttons);
    boxes_.push_back({std::string(text), std::string(caption), buttons});
    std::optional<MessageBoxAnswer> answer;
    bool done = false;
    RunModal(
        [&](const Event& e) {
            answer = e.kind == EventKind::Tap ? input.Tap(e.x, e.y, e.phase) : input.Key(e.key.code);
            done = answer.has_value();
        },
        done);
    boxes_.pop_back();
    dirty_ = true;
    return answer.value_or(input.Closed());
}

namespace {

// Hands what the modal queue holds (taps, keys, the close request) to the modal window.
class ModalInputHandler : public EventHandler {
public:
    explicit ModalInputHandler(const std::function<void(const Event&)>& input) : input_(input) {}
    void HandleEvent(const Event& e) override { input_(e); }

private:
    const std::function<void(const Event&)>& input_;
};

// What goes on under a modal window: timers and repaints run; commands wait until it closes
// (a form switch under it would free the form whose code is waiting for it); taps and keys
// that were on their way to the forms are dropped, the forms being disabled meanwhile.
class UnderModalHandler : public EventHandler {
public:
    explicit UnderModalHandler(EventHandler& forms) : forms_(forms) {}
    void HandleEvent(const Event& e) override {
        if (e.kind == EventKind::Command) deferred_.push_back(e);
        else if (e.kind != EventKind::Tap && e.kind != EventKind::Key && e.kind != EventKind::KeyUp) forms_.HandleEvent(e);
    }
    void PostDeferred(EventLoop& loop) const {
        for (const Event& e : deferred_) loop.PostCommand(e.command, e.param);
    }

private:
    EventHandler& forms_;
    std::vector<Event> deferred_;
};

}  // namespace

void SdlWindowSystem::RunModal(const std::function<void(const Event&)>& input, bool& done) {
    auto outer = std::move(modalInput_);
    modalInput_ = [&](const Event& e) {
        if (e.kind == EventKind::Command) done = true;  // the window is closing
        else if (e.kind != EventKind::KeyUp) input(e);
    };
    ModalInputHandler modal(modalInput_);
    RedrawAfter handler(modal, dirty_);
    std::optional<UnderModalHandler> under;
    std::optional<RedrawAfter> underRedrawing;
    if (handler_) underRedrawing.emplace(under.emplace(*handler_), dirty_);
    dirty_ = true;
    while (!done && window_) {
        ReadInput();
        modalQueue_.RunPending(handler);
        if (done) break;
        if (dirty_) Redraw();
        const int64_t until = loop_.GetClock().NowMs() + kInputPollMs;
        if (!under) {
            Sdl().WaitEventTimeout(nullptr, kInputPollMs);
        } else if (std::optional<int> code = loop_.RunUntil(*underRedrawing, until)) {
            // A quit ends the modal window; the loop outside sees it again.
            loop_.PostQuit(*code);
            done = true;
        }
    }
    modalInput_ = std::move(outer);
    if (under) under->PostDeferred(loop_);
}

int SdlWindowSystem::LastErrorCode() const { return LastSystemErrorCode(); }

std::string SdlWindowSystem::ErrorText(int code) const { return SystemErrorText(code); }

void SdlWindowSystem::RequestClose() {
    // A modal window up is closed first, so that the shutdown runs outside it.
    if (modalInput_) modalQueue_.PostCommand(kDialogCancel);
    if (onClose_) {
        onClose_();
    } else {
        loop_.PostQuit(0);
    }
}

void SdlWindowSystem::ReadInput() {
    if (!sdlStarted_) return;
    SDL_Event e;
    while (Sdl().PollEvent(&e)) {
        if (e.type == SDL_WINDOWEVENT) {
            dirty_ = true;  // exposed, restored, resized: draw again
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) WindowResized(e.window.data1, e.window.data2);
            continue;
        }
        // The stylus is in the screen's pixels, which the window shows from `screenOrigin_`.
        if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
            e.button.x -= screenOrigin_.x, e.button.y -= screenOrigin_.y;
        } else if (e.type == SDL_MOUSEMOTION) {
            e.motion.x -= screenOrigin_.x, e.motion.y -= screenOrigin_.y;
        }
        PostSdlEvent(e, InputTarget(), [this] { RequestClose(); });
    }
}

void SdlWindowSystem::WindowResized(int width, int height) {
    windowWidth_ = width;
    windowHeight_ = height;
    wantedDpi_ = DeviceCaps::DpiFitting(width, height, 2);
    PlaceScreen();
}

void SdlWindowSystem::PlaceScreen() {
    screenOrigin_ = {std::max(0, (windowWidth_ - caps_.screenWidth) / 2),
                     std::max(0, (windowHeight_ - caps_.screenHeight) / 2)};
}

void SdlWindowSystem::TakeWantedScale() {
    if (wantedDpi_ == 0 || wantedDpi_ == caps_.logPixelsX) return;
    caps_ = DeviceCaps::ForDpi(std::exchange(wantedDpi_, 0));
    rescaled_ = true;
    PlaceScreen();
    mainRect_ = Rect{0, 0, caps_.screenWidth, caps_.screenHeight};
    dirty_ = true;
    loop_.PostScreenChanged();
}

void SdlWindowSystem::PumpInput() {
    ReadInput();
    if (dirty_ || loop_.GetClock().NowMs() - lastDrawMs_ >= kRefreshMs) Redraw();
}

int SdlWindowSystem::Run(EventHandler& handler) {
    EventHandler* outer = std::exchange(handler_, &handler);
    RedrawAfter redrawing(handler, dirty_);
    std::optional<int> code;
    while (!code) {
        ReadInput();
        TakeWantedScale();
        code = loop_.RunPending(redrawing);
        if (dirty_) Redraw();
        if (!code) code = loop_.RunUntil(redrawing, loop_.GetClock().NowMs() + kInputPollMs);
    }
    handler_ = outer;
    return *code;
}

void SdlWindowSystem::FillRect(const Rect& rect, Colour colour) {
    Sdl().SetRenderDrawColor(renderer_, ColourRed(colour), ColourGreen(colour), ColourBlue(colour),
                           SDL_ALPHA_OPAQUE);
    const SDL_Rect r = ToSdl(rect);
    Sdl().RenderFillRect(renderer_, &r);
}

void SdlWindowSystem::DrawForm(const FormWindow& form) {
    if (SnapshotForm(form, colours_, caps_.Scale(), formCanvas_)) {
        DrawCanvas(formCanvas_, form.Bounds().left, form.Bounds().top);
    }
}

// SDL's RGB565 is the 16-bit value in the machine's byte order, as the canvas keeps it.
void SdlWindowSystem::DrawCanvas(const Canvas& pixels, int x, int y) {
    if (!canvasTexture_ || textureWidth_ != pixels.Width() || textureHeight_ != pixels.Height()) {
        if (canvasTexture_) Sdl().DestroyTexture(canvasTexture_);
        canvasTexture_ = Sdl().CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                           pixels.Width(), pixels.Height());
        textureWidth_ = pixels.Width();
        textureHeight_ = pixels.Height();
    }
    if (!canvasTexture_) return;
    Sdl().UpdateTexture(canvasTexture_, nullptr, pixels.Pixels(), pixels.Width() * int(sizeof(Pixel565)));
    const SDL_Rect target = ToSdl(MakeRect(x, y, pixels.Width(), pixels.Height()));
    Sdl().RenderCopy(renderer_, canvasTexture_, nullptr, &target);
}

void SdlWindowSystem::DrawCanvasPart(const Canvas& pixels, const Rect& part) {
    Canvas piece;
    if (piece.CreateFrom(pixels, part)) DrawCanvas(piece, part.left, part.top);
}

// Each modal window is painted over a canvas of the screen and only its own rectangle is
// put on the screen, over the forms.
void SdlWindowSystem::DrawModals() {
    if (!dialog_ && boxes_.empty()) return;
    if (overlay_.Width() != caps_.screenWidth || overlay_.Height() != caps_.screenHeight) {
        if (!overlay_.Create(caps_.screenWidth, caps_.screenHeight)) return;
    }
    if (dialog_) DrawCanvasPart(overlay_, PaintDialog(*dialog_, colours_, caps_.Scale(), overlay_));
    for (const ShownBox& box : boxes_) {
        DrawCanvasPart(overlay_, PaintMessageBox(overlay_, colours_, caps_.Scale(), box.caption, box.text, box.buttons));
    }
}

// The screen sits in the middle of a larger window, the band around it in the main window's
// colour.
void SdlWindowSystem::DrawScene() {
    Sdl().RenderSetViewport(renderer_, nullptr);
    Sdl().SetRenderDrawColor(renderer_, ColourRed(fill_), ColourGreen(fill_), ColourBlue(fill_), SDL_ALPHA_OPAQUE);
    Sdl().RenderClear(renderer_);
    const SDL_Rect screen = ToSdl(MakeRect(screenOrigin_.x, screenOrigin_.y, caps_.screenWidth, caps_.screenHeight));
    Sdl().RenderSetViewport(renderer_, &screen);
    FillRect(Rect{0, 0, caps_.screenWidth, caps_.screenHeight}, kColourBlack);
    if (mainVisible_) FillRect(mainRect_, fill_);
    for (const auto& form : forms_.Open()) {
        if (form->Visible()) DrawForm(*form);
    }
    DrawModals();
}

void SdlWindowSystem::Redraw() {
    if (!renderer_) return;
    DrawScene();
    Sdl().RenderPresent(renderer_);
    dirty_ = false;
    lastDrawMs_ = loop_.GetClock().NowMs();
    ++framesShown_;
}

Colour SdlWindowSystem::PixelAt(int x, int y) {
    if (!renderer_) return 0;
    DrawScene();
    uint8_t rgba[4] = {0, 0, 0, 0};
    const SDL_Rect one{x, y, 1, 1};
    Sdl().RenderReadPixels(renderer_, &one, SDL_PIXELFORMAT_RGBA32, rgba, 4);
    Sdl().RenderPresent(renderer_);
    return MakeColour(rgba[0], rgba[1], rgba[2]);
}

}  // namespace vsp
