#pragma once
// The window system on a real display through SDL2. The SDL window shows the handheld's whole
// screen (240 x 320 layout pixels times the scale of the chosen dpi); the main window and the
// form windows are rectangles inside it, drawn from their model. The user may resize the
// window: the screen then takes the largest half step of scale that fits (as if that dpi had
// been chosen), centred, with the band around it in the main window's colour.
//
// Everything here runs on the user-interface thread, which must be the thread that created
// the window: SDL delivers input only to that thread, so Run() alternates between the event
// loop and reading SDL's queue. Modal dialogs and message boxes are drawn inside the window;
// while one is up it takes the stylus and the keys, and the window keeps drawing and running
// the forms' timers, as under the handheld's own modal loops.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/FormStore.h"
#include "platform/WindowSystem.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace vsp {

// The dpi of the largest whole scale of the screen that fits the display's usable area, less
// room for the window's frame and title bar; 96 when the display cannot tell.
int DisplayFittingDpi();

class SdlWindowSystem : public WindowSystem {
public:
    // How long the event loop may wait before SDL's input is read again.
    static constexpr int kInputPollMs = 10;

    SdlWindowSystem(EventLoop& loop, const DeviceCaps& caps);
    ~SdlWindowSystem() override;
    SdlWindowSystem(const SdlWindowSystem&) = delete;
    SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;

    const DeviceCaps& Caps() const override { return caps_; }
    SystemColourTable& SystemColours() override { return colours_; }
    int TextWidth(std::string_view text) const override;

    bool CreateMainWindow(std::string_view className, std::string_view title) override;
    void DestroyMainWindow() override;
    bool HasMainWindow() const override { return window_ != nullptr; }
    bool HasForegroundWindow() const override { return window_ != nullptr; }
    void SetMainWindowRect(const Rect& rect) override;
    Rect MainWindowRect() const override { return mainRect_; }
    void ShowMainWindow(bool visible) override;
    void UpdateMainWindow() override;
    void InvalidateMainWindow() override { dirty_ = true; }
    void PaintMainWindow(Colour fill) override;
    // There is no task bar to hide: the window already is the whole screen.
    void SetFullScreen(bool on) override { fullScreen_ = on; }
    void BringToFront() override;

    FormWindow* CreateForm(const FormTemplate& tmpl) override;
    void DestroyForm(FormWindow* form) override;
    FormWindow* FindForm(WindowHandle handle) override;
    void InvalidateForm(FormWindow* form) override { dirty_ = true; }
    bool CopyCanvas(FormWindow& form, const Canvas& canvas, const Rect& area) override;
    int RunModalDialog(const FormTemplate& tmpl, ModalDialogProc& proc) override;

    MessageBoxAnswer MessageBox(std::string_view text, std::string_view caption,
                                MessageBoxButtons buttons) override;
    int LastErrorCode() const override;
    std::string ErrorText(int code) const override;

    // What closing the window does; without one the loop is asked to quit with code 0.
    // The program sets it to post its Quit command so that the shutdown order runs.
    void SetCloseHandler(std::function<void()> onClose) { onClose_ = std::move(onClose); }

    // Reads SDL's queue into the event loop and redraws when something changed (or, for a
    // handler that polls for input while it works, when a second has passed).
    void PumpInput();
    // Runs the event loop with `handler` until it quits, reading input in between and drawing
    // the screen as soon as the events read have been handled; answers the quit code.
    int Run(EventHandler& handler);
    // How many frames have been put on the screen (for checks of when drawing happens).
    int FramesShown() const { return framesShown_; }
    // Whether the user resized the window to another scale (then Caps() holds it).
    bool Rescaled() const { return rescaled_; }

    // The colour of one pixel of the last drawn screen (for checks), 0x00BBGGRR.
    Colour PixelAt(int x, int y);

private:
    struct ShownBox {
        std::string text, caption;
        MessageBoxButtons buttons;
    };
    // Runs until `done` is set: SDL input goes to `input` instead of the forms; under Run()
    // the forms' timers and repaints go on, their commands wait for the end. A close request
    // sets `done` too, after asking for the shutdown.
    void RunModal(const std::function<void(const Event&)>& input, bool& done);
    // Moves SDL's queue into the event loop (or the modal window's queue).
    void ReadInput();
    // A new window size: the scale that fits it is wanted, the screen centred in it.
    void WindowResized(int width, int height);
    void PlaceScreen();
    // Outside modal windows (whose layout cannot change under them): the screen takes the
    // wanted scale and the forms are told to lay themselves out again.
    void TakeWantedScale();
    // Where SDL input goes: the modal window on top, else the event loop.
    EventLoop& InputTarget() { return modalInput_ ? modalQueue_ : loop_; }
    void DrawScene();
    void Redraw();
    // Paints the form (with the picture its owner copied into it) and puts it on the screen.
    void DrawForm(const FormWindow& form);
    // Draws `pixels` with its top-left corner at (x, y).
    void DrawCanvas(const Canvas& pixels, int x, int y);
    // Draws the `part` of a screen-sized canvas in the same place.
    void DrawCanvasPart(const Canvas& pixels, const Rect& part);
    void DrawModals();
    void FillRect(const Rect& rect, Colour colour);
    // Hands the close request on (SDL_QUIT arrives once per close).
    void RequestClose();

    EventLoop& loop_;
    DeviceCaps caps_;
    SystemColourTable colours_;
    std::function<void()> onClose_;
    bool sdlStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    // Forms are painted into one canvas and go through one RGB565 texture, each made again
    // when a size changes.
    Canvas formCanvas_;
    SDL_Texture* canvasTexture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    Rect mainRect_;
    bool mainVisible_ = false;
    bool fullScreen_ = false;
    Colour fill_ = kColourWhite;
    bool dirty_ = true;
    int64_t lastDrawMs_ = 0;
    int framesShown_ = 0;
    // The window's size; the screen (caps_) is drawn centred in it, at `screenOrigin_`.
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    struct { int x = 0, y = 0; } screenOrigin_;
    int wantedDpi_ = 0;  // 0: none
    bool rescaled_ = false;
    FormStore forms_{loop_, caps_};
    EventHandler* handler_ = nullptr;  // Run()'s, while it runs
    // Input taken by the modal window on top goes through a queue of its own, so the forms'
    // queue keeps only what is theirs.
    EventLoop modalQueue_{loop_.GetClock()};
    std::function<void(const Event&)> modalInput_;
    const FormWindow* dialog_ = nullptr;  // the dialog being run, drawn over the forms
    std::vector<ShownBox> boxes_;        // message boxes up, the last on top
    Canvas overlay_;                      // dialogs and boxes are painted here
};

}  // namespace vsp
