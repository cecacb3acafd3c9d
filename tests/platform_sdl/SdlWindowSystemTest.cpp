// The SDL backend on SDL's "dummy" video driver: a real window and renderer in memory, real
// SDL event queue, no display needed.

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <vector>

#include "platform/Clock.h"
#include "platform/sdl/SdlInput.h"
#include "platform/sdl/SdlWindowSystem.h"

namespace vsp {
namespace {

class DummyVideo : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        // No real display either for message boxes: they must fall back, never block.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
};
const auto* const kDummyVideo = ::testing::AddGlobalTestEnvironment(new DummyVideo);

class Recorder : public EventHandler {
public:
    explicit Recorder(EventLoop& loop) : loop_(loop) {}
    void HandleEvent(const Event& event) override {
        events.push_back(event);
        if (quitOnTapUp && event.kind == EventKind::Tap && event.phase == TapPhase::Up) {
            loop_.PostQuit(7);
        }
        if (quitOnCommand != 0 && event.kind == EventKind::Command &&
            event.command == quitOnCommand) {
            loop_.PostQuit(3);
        }
    }
    std::vector<Event> events;
    bool quitOnTapUp = false;
    int quitOnCommand = 0;

private:
    EventLoop& loop_;
};

SDL_Keysym Key(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    SDL_Keysym k{};
    k.sym = sym;
    k.mod = mod;
    return k;
}

SDL_Event Mouse(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event KeyDown(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym = Key(sym, mod);
    return e;
}

TEST(SdlInput, KeysBecomeTheHandheldCodes) {
    auto code = [](SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
        auto k = TranslateSdlKey(Key(sym, mod));
        return k ? k->code : -1;
    };
    EXPECT_EQ(code(SDLK_a), 'A');
    EXPECT_EQ(code(SDLK_z), 'Z');
    EXPECT_EQ(code(SDLK_7), '7');
    EXPECT_EQ(code(SDLK_KP_7), '7');
    EXPECT_EQ(code(SDLK_KP_0), '0');
    EXPECT_EQ(code(SDLK_PERIOD), '.');
    EXPECT_EQ(code(SDLK_SPACE), ' ');
    EXPECT_EQ(code(SDLK_UP), 0x26);
    EXPECT_EQ(code(SDLK_DOWN), 0x28);
    EXPECT_EQ(code(SDLK_LEFT), 0x25);
    EXPECT_EQ(code(SDLK_RIGHT), 0x27);
    EXPECT_EQ(code(SDLK_RETURN), 0x0D);
    EXPECT_EQ(code(SDLK_KP_ENTER), 0x0D);
    EXPECT_EQ(code(SDLK_ESCAPE), 0x1B);
    EXPECT_EQ(code(SDLK_BACKSPACE), 0x08);
    EXPECT_EQ(code(SDLK_F1), -1);
    EXPECT_EQ(code(SDLK_LCTRL, KMOD_LCTRL), -1);

    auto ctrlQ = TranslateSdlKey(Key(SDLK_q, KMOD_RCTRL));
    ASSERT_TRUE(ctrlQ);
    EXPECT_EQ(*ctrlQ, (KeyPress{'Q', true, false}));
    auto shiftA = TranslateSdlKey(Key(SDLK_a, KMOD_LSHIFT));
    ASSERT_TRUE(shiftA);
    EXPECT_EQ(*shiftA, (KeyPress{'A', false, true}));
}

TEST(SdlInput, MouseAndKeysReachTheLoopInOrder) {
    SteadyClock clock;
    EventLoop loop(clock);
    int closes = 0;
    auto onClose = [&] { ++closes; };

    EXPECT_TRUE(PostSdlEvent(Mouse(SDL_MOUSEBUTTONDOWN, 10, 20), loop, onClose));
    SDL_Event drag{};
    drag.type = SDL_MOUSEMOTION;
    drag.motion.state = SDL_BUTTON_LMASK;
    drag.motion.x = 12;
    drag.motion.y = 25;
    EXPECT_TRUE(PostSdlEvent(drag, loop, onClose));
    EXPECT_TRUE(PostSdlEvent(Mouse(SDL_MOUSEBUTTONUP, 14, 30), loop, onClose));
    // Hovering and the other buttons are not the stylus.
    drag.motion.state = 0;
    EXPECT_FALSE(PostSdlEvent(drag, loop, onClose));
    EXPECT_FALSE(PostSdlEvent(Mouse(SDL_MOUSEBUTTONDOWN, 1, 1, SDL_BUTTON_RIGHT), loop, onClose));
    EXPECT_TRUE(PostSdlEvent(KeyDown(SDLK_q, KMOD_LCTRL), loop, onClose));
    EXPECT_FALSE(PostSdlEvent(KeyDown(SDLK_F5), loop, onClose));
    EXPECT_TRUE(loop.InputPending());

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_TRUE(PostSdlEvent(quit, loop, onClose));
    EXPECT_EQ(closes, 1);

    Recorder rec(loop);
    loop.RunPending(rec);
    ASSERT_EQ(rec.events.size(), 4u);
    EXPECT_EQ(rec.events[0].kind, EventKind::Tap);
    EXPECT_EQ(rec.events[0].phase, TapPhase::Down);
    EXPECT_EQ(rec.events[0].x, 10);
    EXPECT_EQ(rec.events[0].y, 20);
    EXPECT_EQ(rec.events[1].phase, TapPhase::Move);
    EXPECT_EQ(rec.events[1].x, 12);
    EXPECT_EQ(rec.events[2].phase, TapPhase::Up);
    EXPECT_EQ(rec.events[2].y, 30);
    EXPECT_EQ(rec.events[3].kind, EventKind::Key);
    EXPECT_EQ(rec.events[3].key, (KeyPress{'Q', true, false}));
}

FormTemplate ButtonForm(int id) {
    FormTemplate t;
    t.id = id;
    t.title = "Test";
    ControlTemplate button;
    button.id = 5018;
    button.kind = ControlKind::Button;
    button.text = "Comet";
    button.rect = MakeRect(20, 40, 60, 30);  // 96-dpi layout pixels
    t.controls.push_back(button);
    ControlTemplate ok = button;
    ok.id = 1;
    ok.text = "OK";
    ok.rect = MakeRect(100, 40, 60, 30);
    t.controls.push_back(ok);
    return t;
}

class SdlWindowTest : public ::testing::Test {
protected:
    SteadyClock clock_;
    EventLoop loop_{clock_};
};

TEST_F(SdlWindowTest, WindowIsTheScaledScreenAndPaintsTheFillColour) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(192));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    EXPECT_TRUE(windows.HasMainWindow());
    EXPECT_FALSE(windows.CreateMainWindow("POCKETPC", "Vespertar"));  // only one
    EXPECT_EQ(windows.MainWindowRect(), (Rect{0, 0, 480, 640}));

    // The device stores 0x00BBGGRR: a mix-up of red and blue shows here.
    const Colour orange = MakeColour(230, 120, 10);
    windows.PaintMainWindow(orange);
    EXPECT_EQ(windows.PixelAt(5, 5), orange);
    EXPECT_EQ(windows.PixelAt(479, 639), orange);

    // A main window shrunk by the menu-bar strip leaves the strip dark.
    windows.SetMainWindowRect(Rect{0, 0, 480, 588});
    windows.PaintMainWindow(kColourWhite);
    EXPECT_EQ(windows.PixelAt(100, 587), kColourWhite);
    EXPECT_EQ(windows.PixelAt(100, 600), kColourBlack);

    windows.DestroyMainWindow();
    EXPECT_FALSE(windows.HasMainWindow());
    EXPECT_FALSE(windows.HasForegroundWindow());
}

TEST_F(SdlWindowTest, FormsAreDrawnInTheSystemColoursAndDestroyedWithTheirTimers) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(96));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    windows.PaintMainWindow(kColourWhite);
    FormWindow* form = windows.CreateForm(ButtonForm(1950));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(windows.FindForm(form->Handle()), form);
    windows.UpdateMainWindow();
    // The button's outline at its layout place (96 dpi: device = layout pixels).
    EXPECT_EQ(windows.PixelAt(20, 50), kColourBlack);
    EXPECT_EQ(windows.PixelAt(50, 55), kColourWhite);

    // Night mode recolours the window text: the outline follows.
    const int ink = 8;
    const Colour red = MakeColour(102, 0, 0);
    ASSERT_TRUE(windows.SystemColours().Set(std::span(&ink, 1), std::span(&red, 1)));
    windows.PaintMainWindow(kColourBlack);
    EXPECT_EQ(windows.PixelAt(20, 50), red);

    loop_.SetTimer(form->Handle(), 1, 100);
    windows.DestroyForm(form);
    EXPECT_EQ(windows.FindForm(form->Handle()), nullptr);
    EXPECT_FALSE(loop_.HasTimer(form->Handle(), 1));
    windows.PaintMainWindow(kColourBlack);
    EXPECT_EQ(windows.PixelAt(20, 50), kColourBlack);
}

TEST_F(SdlWindowTest, RunFeedsTapsToTheHandlerUntilQuit) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(96));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    SDL_Event down = Mouse(SDL_MOUSEBUTTONDOWN, 30, 60);
    SDL_Event up = Mouse(SDL_MOUSEBUTTONUP, 31, 61);
    ASSERT_EQ(SDL_PushEvent(&down), 1);
    ASSERT_EQ(SDL_PushEvent(&up), 1);
    Recorder rec(loop_);
    rec.quitOnTapUp = true;
    EXPECT_EQ(windows.Run(rec), 7);
    ASSERT_EQ(rec.events.size(), 2u);
    EXPECT_EQ(rec.events[0].phase, TapPhase::Down);
    EXPECT_EQ(rec.events[1].phase, TapPhase::Up);
    EXPECT_EQ(rec.events[1].x, 31);
}

TEST_F(SdlWindowTest, ClosingTheWindowGoesThroughTheCloseHandler) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(96));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    SDL_Event quit{};
    quit.type = SDL_QUIT;

    // Without a handler the loop just ends.
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    Recorder plain(loop_);
    EXPECT_EQ(windows.Run(plain), 0);

    // The program's handler posts its Quit command, which the shell turns into shutdown.
    windows.SetCloseHandler([&] { loop_.PostCommand(1035); });
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    Recorder rec(loop_);
    rec.quitOnCommand = 1035;
    EXPECT_EQ(windows.Run(rec), 3);
    ASSERT_EQ(rec.events.size(), 1u);
    EXPECT_EQ(rec.events[0].command, 1035);
}

class ButtonDialog : public ModalDialogProc {
public:
    void OnInit(FormWindow& dialog) override { initialised = dialog.TemplateId(); }
    bool OnCommand(FormWindow& dialog, int controlId) override {
        commands.push_back(controlId);
        return controlId == endOn;
    }
    int initialised = 0;
    int endOn = 1;
    std::vector<int> commands;
};

TEST_F(SdlWindowTest, ModalDialogEndsOnTheButtonItsProcedureAccepts) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(192));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    // At 192 dpi the Comet button spans device x 40..159, y 80..139; OK spans x 200..319.
    SDL_Event events[] = {
        Mouse(SDL_MOUSEBUTTONDOWN, 50, 100),  Mouse(SDL_MOUSEBUTTONUP, 60, 110),    // Comet
        Mouse(SDL_MOUSEBUTTONDOWN, 50, 100),  Mouse(SDL_MOUSEBUTTONUP, 250, 100),   // slid off
        KeyDown(SDLK_ESCAPE),                                                       // cancel
        Mouse(SDL_MOUSEBUTTONDOWN, 210, 100), Mouse(SDL_MOUSEBUTTONUP, 210, 100),   // OK
    };
    for (SDL_Event& e : events) ASSERT_EQ(SDL_PushEvent(&e), 1);
    ButtonDialog proc;
    EXPECT_EQ(windows.RunModalDialog(ButtonForm(1999), proc), 1);
    EXPECT_EQ(proc.initialised, 1999);
    EXPECT_EQ(proc.commands, (std::vector<int>{5018, 2, 1}));
}

TEST_F(SdlWindowTest, MessageBoxesWithoutADisplayAnswerSafely) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(96));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    EXPECT_EQ(windows.MessageBox("Unkown form call", "Information", MessageBoxButtons::Ok),
              MessageBoxAnswer::Ok);
    EXPECT_EQ(windows.MessageBox("Delete?", "Information", MessageBoxButtons::YesNo),
              MessageBoxAnswer::No);
}

}  // namespace
}  // namespace vsp
