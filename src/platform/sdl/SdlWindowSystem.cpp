#include "platform/sdl/SdlWindowSystem.h"

#include <SDL.h>

#include <algorithm>

#include "platform/FormPainter.h"
#include "platform/SystemError.h"
#include "platform/Text.h"
#include "platform/sdl/SdlInput.h"

namespace vsp {

namespace {

// Dialog-manager commands for Enter and Escape.
constexpr int kDialogOk = 1;
constexpr int kDialogCancel = 2;

// Without invalidation the screen is still refreshed this often, for changes made by timers.
constexpr int64_t kRefreshMs = 1000;

SDL_Rect ToSdl(const Rect& r) { return SDL_Rect{r.left, r.top, r.Width(), r.Height()}; }

bool Clickable(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::TitleButton ||
           kind == ControlKind::CheckBox || kind == ControlKind::PopupTrigger;
}

}  // namespace

SdlWindowSystem::SdlWindowSystem(EventLoop& loop, const DeviceCaps& caps)
    : loop_(loop), caps_(caps) {}

SdlWindowSystem::~SdlWindowSystem() {
    if (window_) DestroyMainWindow();
    if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int SdlWindowSystem::TextWidth(std::string_view text) const { return TitleTextWidth(text, caps_.Scale()); }

bool SdlWindowSystem::CreateMainWindow(std::string_view className, std::string_view title) {
    if (window_) return false;
    if (!sdlStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        sdlStarted_ = true;
    }
    const std::string caption = Cp1252ToUtf8(title);
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               caps_.screenWidth, caps_.screenHeight, SDL_WINDOW_SHOWN);
    if (!window_) return false;
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    boxes_.SetParent(window_);
    mainRect_ = Rect{0, 0, caps_.screenWidth, caps_.screenHeight};
    mainVisible_ = true;
    Redraw();
    return true;
}

void SdlWindowSystem::DestroyMainWindow() {
    forms_.DestroyAll();
    loop_.KillTimers(kMainWindowHandle);
    boxes_.SetParent(nullptr);
    if (canvasTexture_) SDL_DestroyTexture(canvasTexture_);
    canvasTexture_ = nullptr;
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
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
    SDL_ShowWindow(window_);
    SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
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

// A modal loop of its own, like the handheld's dialog manager: taps on buttons and Enter or
// Escape go to the dialog procedure until it ends the dialog. The event loop's own events wait.
int SdlWindowSystem::RunModalDialog(const FormTemplate& tmpl, ModalDialogProc& proc) {
    FormWindow dialog(forms_.NewHandle(), tmpl, caps_);
    proc.OnInit(dialog);
    if (!window_) return 0;  // nowhere to show it, nothing can press a button
    modal_ = &dialog;
    int pressedId = 0;
    int result = 0;
    bool done = false;
    while (!done) {
        Redraw();
        SDL_Event e;
        if (!SDL_WaitEventTimeout(&e, int(kRefreshMs))) continue;
        int command = 0;
        switch (e.type) {
            case SDL_QUIT:
                RequestClose();
                done = true;
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button == SDL_BUTTON_LEFT) {
                    const Control* c = dialog.ControlAt(e.button.x, e.button.y);
                    pressedId = c && Clickable(c->Kind()) ? c->Id() : 0;
                }
                break;
            case SDL_MOUSEBUTTONUP:
                if (e.button.button == SDL_BUTTON_LEFT) {
                    const Control* c = dialog.ControlAt(e.button.x, e.button.y);
                    if (c && c->Id() == pressedId && pressedId != 0) command = pressedId;
                    pressedId = 0;
                }
                break;
            case SDL_KEYDOWN:
                if (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) {
                    command = kDialogOk;
                } else if (e.key.keysym.sym == SDLK_ESCAPE) {
                    command = kDialogCancel;
                }
                break;
            default: break;
        }
        if (command != 0 && proc.OnCommand(dialog, command)) {
            result = command;
            done = true;
        }
    }
    modal_ = nullptr;
    Redraw();
    return result;
}

MessageBoxAnswer SdlWindowSystem::MessageBox(std::string_view text, std::string_view caption,
                                             MessageBoxButtons buttons) {
    const MessageBoxAnswer answer = boxes_.Show(text, caption, buttons);
    dirty_ = true;
    return answer;
}

int SdlWindowSystem::LastErrorCode() const { return LastSystemErrorCode(); }

std::string SdlWindowSystem::ErrorText(int code) const { return SystemErrorText(code); }

void SdlWindowSystem::RequestClose() {
    if (onClose_) {
        onClose_();
    } else {
        loop_.PostQuit(0);
    }
}

void SdlWindowSystem::PumpInput() {
    if (!sdlStarted_) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_WINDOWEVENT) {
            dirty_ = true;  // exposed, restored, resized: draw again
            continue;
        }
        if (PostSdlEvent(e, loop_, [this] { RequestClose(); })) dirty_ = true;
    }
    if (dirty_ || loop_.GetClock().NowMs() - lastDrawMs_ >= kRefreshMs) Redraw();
}

int SdlWindowSystem::Run(EventHandler& handler) {
    for (;;) {
        PumpInput();
        const int64_t until = loop_.GetClock().NowMs() + kInputPollMs;
        if (std::optional<int> code = loop_.RunUntil(handler, until)) return *code;
    }
}

void SdlWindowSystem::FillRect(const Rect& rect, Colour colour) {
    SDL_SetRenderDrawColor(renderer_, ColourRed(colour), ColourGreen(colour), ColourBlue(colour),
                           SDL_ALPHA_OPAQUE);
    const SDL_Rect r = ToSdl(rect);
    SDL_RenderFillRect(renderer_, &r);
}

void SdlWindowSystem::DrawForm(const FormWindow& form) {
    if (SnapshotForm(form, colours_, caps_.Scale(), formCanvas_)) {
        DrawCanvas(formCanvas_, form.Bounds().left, form.Bounds().top);
    }
}

// SDL's RGB565 is the 16-bit value in the machine's byte order, as the canvas keeps it.
void SdlWindowSystem::DrawCanvas(const Canvas& pixels, int x, int y) {
    if (!canvasTexture_ || textureWidth_ != pixels.Width() || textureHeight_ != pixels.Height()) {
        if (canvasTexture_) SDL_DestroyTexture(canvasTexture_);
        canvasTexture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                           pixels.Width(), pixels.Height());
        textureWidth_ = pixels.Width();
        textureHeight_ = pixels.Height();
    }
    if (!canvasTexture_) return;
    SDL_UpdateTexture(canvasTexture_, nullptr, pixels.Pixels(), pixels.Width() * int(sizeof(Pixel565)));
    const SDL_Rect target = ToSdl(MakeRect(x, y, pixels.Width(), pixels.Height()));
    SDL_RenderCopy(renderer_, canvasTexture_, nullptr, &target);
}

void SdlWindowSystem::DrawScene() {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(renderer_);
    if (mainVisible_) FillRect(mainRect_, fill_);
    for (const auto& form : forms_.Open()) {
        if (form->Visible()) DrawForm(*form);
    }
    if (modal_) DrawForm(*modal_);
}

void SdlWindowSystem::Redraw() {
    if (!renderer_) return;
    DrawScene();
    SDL_RenderPresent(renderer_);
    dirty_ = false;
    lastDrawMs_ = loop_.GetClock().NowMs();
}

Colour SdlWindowSystem::PixelAt(int x, int y) {
    if (!renderer_) return 0;
    DrawScene();
    uint8_t rgba[4] = {0, 0, 0, 0};
    const SDL_Rect one{x, y, 1, 1};
    SDL_RenderReadPixels(renderer_, &one, SDL_PIXELFORMAT_RGBA32, rgba, 4);
    SDL_RenderPresent(renderer_);
    return MakeColour(rgba[0], rgba[1], rgba[2]);
}

}  // namespace vsp
