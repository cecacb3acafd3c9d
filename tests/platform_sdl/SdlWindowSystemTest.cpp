// The SDL backend on SDL's "dummy" video driver: a real window and renderer in memory, real
// SDL event queue, no display needed.

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <vector>

#include "platform/Clock.h"
#include "platform/MessageBoxPainter.h"
#include "platform/headless/FakeClock.h"
#include "platform/sdl/SdlInput.h"
#include "platform/sdl/SdlWindowSystem.h"

namespace vsp {
namespace {

struct DummyVideo : ::testing::Environment {
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("DISPLAY");  // message boxes too must fall back, never block
        unsetenv("WAYLAND_DISPLAY");
    }
};
const auto* const kDummyVideo = ::testing::AddGlobalTestEnvironment(new DummyVideo);

// Records what arrives and ends the loop on the first command.
struct Recorder : EventHandler {
    explicit Recorder(EventLoop& loop) : loop(loop) {}
    void HandleEvent(const Event& event) override {
        events.push_back(event);
        if (event.kind == EventKind::Command) loop.PostQuit(3);
    }
    EventLoop& loop;
    std::vector<Event> events;
};

struct SdlWindowTest : ::testing::Test {
    SteadyClock clock_;
    EventLoop loop_{clock_};
};

SDL_Event Of(Uint32 type) {
    SDL_Event e{};
    e.type = type;
    return e;
}
SDL_Event Mouse(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e = Of(type);
    e.button.button = button, e.button.x = x, e.button.y = y;
    return e;
}
SDL_Event KeyDown(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    SDL_Event e = Of(SDL_KEYDOWN);
    e.key.keysym.sym = sym, e.key.keysym.mod = mod;
    return e;
}

TEST_F(SdlWindowTest, StylusAndKeysReachTheLoopInOrder) {
    int closes = 0;
    auto post = [&](const SDL_Event& e) { return PostSdlEvent(e, loop_, [&] { ++closes; }); };
    SDL_Event hover = Of(SDL_MOUSEMOTION), drag = hover, leftUp = KeyDown(SDLK_LEFT);
    drag.motion.state = SDL_BUTTON_LMASK, drag.motion.x = 12, leftUp.type = SDL_KEYUP;
    // Hovering and the other buttons are not the stylus.
    for (const SDL_Event& e : {hover, Mouse(SDL_MOUSEBUTTONDOWN, 1, 1, SDL_BUTTON_RIGHT)}) EXPECT_FALSE(post(e));
    for (const SDL_Event& e : {Mouse(SDL_MOUSEBUTTONDOWN, 10, 20), drag, Mouse(SDL_MOUSEBUTTONUP, 14, 30),
                               KeyDown(SDLK_q, KMOD_LCTRL), leftUp, Of(SDL_QUIT)})
        EXPECT_TRUE(post(e));
    EXPECT_EQ(closes, 1);

    Recorder rec(loop_);
    loop_.RunPending(rec);
    ASSERT_EQ(rec.events.size(), 5u);
    const std::vector<std::tuple<TapPhase, int, int>> taps = {{TapPhase::Down, 10, 20}, {TapPhase::Move, 12, 0},
                                                               {TapPhase::Up, 14, 30}};
    for (size_t i = 0; i < taps.size(); ++i)
        EXPECT_EQ(std::tuple(rec.events[i].phase, rec.events[i].x, rec.events[i].y), taps[i]) << i;
    EXPECT_EQ(rec.events[3].key, (KeyPress{'Q', true, false}));
    EXPECT_EQ(std::pair(rec.events[4].kind, rec.events[4].key.code), std::pair(EventKind::KeyUp, kKeyLeft));
}

FormTemplate ButtonForm(int id) {
    return {.id = id, .title = "",
            .controls = {{5018, ControlKind::Button, "Comet", MakeRect(20, 40, 60, 30)},  // 96-dpi layout pixels
                         {1, ControlKind::Button, "OK", MakeRect(100, 40, 60, 30)}}};
}

TEST_F(SdlWindowTest, TheScaledScreenPaintsFormsInTheSystemColours) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(192));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    EXPECT_EQ(windows.MainWindowRect(), (Rect{0, 0, 480, 640}));
    // The device stores 0x00BBGGRR: a mix-up of red and blue shows here.
    const Colour orange = MakeColour(230, 120, 10);
    windows.PaintMainWindow(orange);
    EXPECT_EQ(windows.PixelAt(479, 639), orange);
    // A main window shrunk by the menu-bar strip leaves the strip dark.
    windows.SetMainWindowRect(Rect{0, 0, 480, 588});
    windows.PaintMainWindow(kColourWhite);
    EXPECT_EQ(std::pair(windows.PixelAt(100, 587), windows.PixelAt(100, 600)), std::pair(kColourWhite, kColourBlack));

    FormWindow* form = windows.CreateForm(ButtonForm(1950));
    ASSERT_NE(form, nullptr);
    windows.UpdateMainWindow();
    // Forms reach the screen as RGB565 (SDL widens the six bits of green its own way, so
    // colours are compared in that format; full red is exact).
    const auto shown = [&](int x, int y) { return PackRgb565(windows.PixelAt(x, y)); };
    const auto system = [&](int index) { return PackRgb565(windows.SystemColours().Get(index)); };
    const int faceX = 44, faceY = 84;  // inside the scaled button's bevel, above its text
    EXPECT_EQ(shown(faceX, faceY), system(kColourIndexButtonFace));
    // A canvas copied into the form shows over it, cut to its rectangle, in its own colours.
    const Colour fullRed = MakeColour(255, 0, 0);
    Canvas chart;
    ASSERT_TRUE(chart.Create(8, 8));
    chart.SetBackColour(fullRed);
    chart.FillRect(MakeRect(0, 0, 8, 8));
    ASSERT_TRUE(windows.CopyCanvas(*form, chart, MakeRect(300, 300, 8, 6)));
    const int window = 5;
    EXPECT_EQ(windows.PixelAt(307, 305), fullRed);
    EXPECT_EQ(std::pair(shown(299, 305), shown(307, 306)), std::pair(system(window), system(window)));
    // Night mode recolours the button faces: the form follows.
    const int face = kColourIndexButtonFace;
    const Colour red = MakeColour(102, 0, 0);
    ASSERT_TRUE(windows.SystemColours().Set(std::span(&face, 1), std::span(&red, 1)));
    windows.PaintMainWindow(kColourBlack);
    EXPECT_EQ(shown(faceX, faceY), PackRgb565(red));

    loop_.SetTimer(form->Handle(), 1, 100);
    windows.DestroyForm(form);
    EXPECT_FALSE(loop_.HasTimer(form->Handle(), 1));
}

TEST_F(SdlWindowTest, RunFeedsInputToTheHandlerAndClosingGoesThroughTheCloseHandler) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(96));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    SDL_Event quit = Of(SDL_QUIT);
    SDL_Event events[] = {Mouse(SDL_MOUSEBUTTONDOWN, 30, 60), quit};
    for (SDL_Event& e : events) ASSERT_EQ(SDL_PushEvent(&e), 1);
    Recorder plain(loop_);
    EXPECT_EQ(windows.Run(plain), 0);  // without a close handler the loop just ends
    ASSERT_EQ(plain.events.size(), 1u);
    EXPECT_EQ(plain.events[0].x, 30);

    // The program's handler posts its Quit command, which the shell turns into shutdown.
    windows.SetCloseHandler([&] { loop_.PostCommand(1035); });
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    Recorder rec(loop_);
    EXPECT_EQ(windows.Run(rec), 3);
    ASSERT_EQ(rec.events.size(), 1u);
    EXPECT_EQ(rec.events[0].command, 1035);
}

void Push(std::vector<SDL_Event> events) {
    for (SDL_Event& e : events) ASSERT_EQ(SDL_PushEvent(&e), 1);
}

// What a key changes is on the screen once the key has been handled, long before the screen's
// one-second refresh: the clock moves only while the loop waits, and the timer 100 ms after the
// key sees a frame shown since the key.
TEST(SdlWindowDrawing, AFrameFollowsEachHandledEventBeforeTheRefresh) {
    FakeClock clock;
    EventLoop loop(clock);
    SdlWindowSystem windows(loop, DeviceCaps::ForDpi(96));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    struct Typist : EventHandler {
        Typist(SdlWindowSystem& w, EventLoop& l) : windows(w), loop(l) {}
        void HandleEvent(const Event& e) override {
            if (e.kind == EventKind::Key) framesAtKey = windows.FramesShown(), loop.SetTimer(kMainWindowHandle, 1, 100);
            if (e.kind == EventKind::Timer) framesAtTimer = windows.FramesShown(), loop.PostQuit(0);
        }
        SdlWindowSystem& windows;
        EventLoop& loop;
        int framesAtKey = -1, framesAtTimer = -1;
    } typist(windows, loop);
    windows.PumpInput();  // the window's own shown and exposed events, drawn
    Push({KeyDown(SDLK_LEFT)});
    EXPECT_EQ(windows.Run(typist), 0);
    EXPECT_GT(typist.framesAtTimer, typist.framesAtKey);
    EXPECT_LT(clock.NowMs(), 1000);
}

// Resized to 400 x 560, the window shows the screen at 1.5 times (the largest half step that
// fits), centred, tells the forms to lay themselves out again, and taps land in the screen's
// pixels.
TEST_F(SdlWindowTest, AResizedWindowShowsTheScreenAtTheFittingHalfStepCentred) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(96));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    SDL_Event resize = Of(SDL_WINDOWEVENT);
    resize.window.event = SDL_WINDOWEVENT_SIZE_CHANGED, resize.window.data1 = 400, resize.window.data2 = 560;
    Push({resize, Of(SDL_QUIT)});
    Recorder rescaled(loop_);
    EXPECT_EQ(windows.Run(rescaled), 0);
    ASSERT_EQ(rescaled.events.size(), 1u);
    EXPECT_EQ(rescaled.events[0].kind, EventKind::ScreenChanged);
    const DeviceCaps& caps = windows.Caps();
    EXPECT_EQ(std::tuple(caps.logPixelsX, caps.screenWidth, caps.screenHeight, windows.Rescaled()),
              std::tuple(144, 360, 480, true));
    Push({Mouse(SDL_MOUSEBUTTONDOWN, 25, 45), Of(SDL_QUIT)});
    Recorder tapped(loop_);
    windows.Run(tapped);
    ASSERT_EQ(tapped.events.size(), 1u);
    EXPECT_EQ(std::pair(tapped.events[0].x, tapped.events[0].y), std::pair(5, 5));
}

// Presses where the dialog's placed buttons are: Comet, Comet slid off onto OK, Escape, OK.
struct ButtonDialog : ModalDialogProc {
    void OnInit(FormWindow& dialog) override {
        initialised = dialog.TemplateId();
        comet = dialog.FindControl(5018)->Bounds(), ok = dialog.FindControl(1)->Bounds();
        const int cx = comet.left + 4, cy = comet.top + 4, okX = ok.left + 4;
        Push({Mouse(SDL_MOUSEBUTTONDOWN, cx, cy), Mouse(SDL_MOUSEBUTTONUP, cx + 2, cy + 2),
              Mouse(SDL_MOUSEBUTTONDOWN, cx, cy), Mouse(SDL_MOUSEBUTTONUP, okX, cy), KeyDown(SDLK_ESCAPE),
              Mouse(SDL_MOUSEBUTTONDOWN, okX, cy), Mouse(SDL_MOUSEBUTTONUP, okX, cy)});
    }
    bool OnCommand(FormWindow&, int controlId) override {
        commands.push_back(controlId);
        return controlId == 1;
    }
    int initialised = 0;
    Rect comet, ok;
    std::vector<int> commands;
};

TEST_F(SdlWindowTest, ModalDialogSitsInThePanelAndEndsOnTheButtonItsProcedureAccepts) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(192));
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    ButtonDialog proc;
    EXPECT_EQ((std::pair{windows.RunModalDialog(ButtonForm(1999), proc), proc.initialised}), std::pair(1, 1999));
    EXPECT_EQ(proc.commands, (std::vector<int>{5018, 2, 1}));
    // The two buttons (40 + 60 + 40 layout pixels wide) are centred on the 480-pixel screen.
    EXPECT_EQ(std::pair(proc.comet.left + proc.ok.right, proc.comet.top - proc.comet.bottom), std::pair(480, -60));
}

// Boxes are drawn in the window while its timers go on: a timer fires under the box, sees it
// on the screen, posts a command (which waits for the boxes) and taps No; Escape and Enter
// answer the next boxes.
TEST_F(SdlWindowTest, MessageBoxesAnswerTapsAndKeysWhileTimersKeepRunning) {
    SdlWindowSystem windows(loop_, DeviceCaps::ForDpi(96));
    EXPECT_EQ(windows.MessageBox("Delete?", "Information", MessageBoxButtons::YesNo), MessageBoxAnswer::No);
    ASSERT_TRUE(windows.CreateMainWindow("POCKETPC", "Vespertar"));
    windows.PaintMainWindow(kColourBlack);
    Canvas screen;
    ASSERT_TRUE(screen.Create(240, 320));
    const MessageBoxLayout layout = LayOutMessageBox(screen, 1.0, "Delete?\n", MessageBoxButtons::YesNo);
    const Rect no = layout.buttons.at(1).rect;
    struct Asker : EventHandler {
        Asker(SdlWindowSystem& w, EventLoop& l, const Rect& r) : windows(w), loop(l), no(r) {}
        void HandleEvent(const Event& e) override {
            if (e.kind == EventKind::Command && e.command != 40003) {
                commandAfter = int(answers.size());
            } else if (e.kind == EventKind::Command) {
                for (SDL_Keycode key : {SDLK_UNKNOWN, SDLK_ESCAPE, SDLK_RETURN}) {
                    if (key != SDLK_UNKNOWN) Push({KeyDown(key)});
                    answers.push_back(windows.MessageBox("Delete?\n", "Information", MessageBoxButtons::YesNo));
                }
                loop.PostQuit(0);
            } else if (e.kind == EventKind::Timer && ++ticks == 2) {
                boxShown = PackRgb565(windows.PixelAt(120, 160)) == PackRgb565(windows.SystemColours().Get(5));
                loop.PostCommand(9901);  // waits for the boxes to close
                Push({Mouse(SDL_MOUSEBUTTONDOWN, 5, 5), Mouse(SDL_MOUSEBUTTONUP, 5, 5),  // beside the box
                      Mouse(SDL_MOUSEBUTTONDOWN, no.left + 3, no.top + 3), Mouse(SDL_MOUSEBUTTONUP, no.left + 3, no.top + 3)});
            }
        }
        SdlWindowSystem& windows;
        EventLoop& loop;
        Rect no;
        int ticks = 0, commandAfter = -1;
        bool boxShown = false;
        std::vector<MessageBoxAnswer> answers;
    } asker(windows, loop_, no);
    loop_.SetTimer(kMainWindowHandle, 7, 5);
    loop_.PostCommand(40003);
    EXPECT_EQ(windows.Run(asker), 0);
    EXPECT_EQ(std::pair(asker.boxShown, asker.commandAfter), std::pair(true, 3));
    EXPECT_EQ(asker.answers, (std::vector{MessageBoxAnswer::No, MessageBoxAnswer::No, MessageBoxAnswer::Yes}));
}

}  // namespace
}  // namespace vsp
