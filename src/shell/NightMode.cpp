#include "shell/NightMode.h"

#include <cstdio>

#include "shell/Forms.h"

namespace vsp {

namespace {

constexpr Colour Grey(uint8_t v) { return MakeColour(v, v, v); }

// The device generations' stock schemes (the last five entries repeat indices 1, 15, 16, 20,
// 20 as the save list does). "2003": grey faces, navy highlight, the classic look. "2005": the
// lighter scheme of the later devices, blue-grey faces and a brighter blue highlight. Both are
// plausible factory settings of such devices; the exact shipped values are not known to us.
constexpr std::array<Colour, kSavedColourCount> kColours2003 = {
    MakeColour(212, 208, 200), MakeColour(58, 110, 165), MakeColour(10, 36, 106),
    Grey(128), MakeColour(212, 208, 200), Grey(255), Grey(0), Grey(0), Grey(0), Grey(255),
    MakeColour(212, 208, 200), MakeColour(212, 208, 200), Grey(128), MakeColour(10, 36, 106),
    Grey(255), MakeColour(212, 208, 200), Grey(128), Grey(128), Grey(0),
    MakeColour(212, 208, 200), Grey(255), Grey(64), MakeColour(212, 208, 200), Grey(0),
    MakeColour(255, 255, 225), MakeColour(212, 208, 200), Grey(0), MakeColour(166, 202, 240),
    Grey(192),
    MakeColour(58, 110, 165), MakeColour(212, 208, 200), Grey(128), Grey(255), Grey(255)};

constexpr std::array<Colour, kSavedColourCount> kColours2005 = {
    MakeColour(224, 228, 236), MakeColour(0, 78, 152), MakeColour(0, 84, 227),
    MakeColour(122, 150, 223), MakeColour(236, 240, 248), Grey(255), Grey(0), Grey(0), Grey(0),
    Grey(255), MakeColour(224, 228, 236), MakeColour(224, 228, 236), MakeColour(160, 170, 190),
    MakeColour(49, 106, 197), Grey(255), MakeColour(224, 228, 236), MakeColour(160, 170, 190),
    Grey(128), Grey(0), MakeColour(216, 228, 248), Grey(255), MakeColour(90, 100, 120),
    MakeColour(240, 242, 248), Grey(0), MakeColour(255, 255, 225), MakeColour(236, 240, 248),
    Grey(0), MakeColour(61, 149, 255), MakeColour(157, 185, 235),
    MakeColour(0, 78, 152), MakeColour(224, 228, 236), MakeColour(160, 170, 190), Grey(255),
    Grey(255)};

constexpr std::string_view kLevelNames[kNightLevelCount] = {"Normal", "Dark", "Medium", "Bright"};

SystemColourTable& Table(AppState& state) { return state.windows.SystemColours(); }

class NightModeDialog : public ModalDialogProc {
public:
    explicit NightModeDialog(AppState& state) : state_(state) {}

    void OnInit(FormWindow& dialog) override {
        dialog.SetTitle("NightMode Settings");
        ShowStatus(dialog);
    }

    bool OnCommand(FormWindow& dialog, int controlId) override {
        switch (controlId) {
            case kNightOffButton: return Choose(dialog, 0);
            case kNightDarkButton: return Choose(dialog, 1);
            case kNightMediumButton: return Choose(dialog, 2);
            case kNightBrightButton: return Choose(dialog, 3);
            case kNight2003Button: ChooseDefaultColours(state_, DefaultColourSet::Set2003); return false;
            case kNight2005Button: ChooseDefaultColours(state_, DefaultColourSet::Set2005); return false;
            default: return false;
        }
    }

private:
    bool Choose(FormWindow& dialog, int level) {
        ApplyNightMode(state_, level);
        state_.prefs.nightLevel = state_.nightLevel;
        ShowStatus(dialog);
        return true;
    }

    void ShowStatus(FormWindow& dialog) {
        char text[64];
        std::snprintf(text, sizeof text, "Current Mode: <%s> mode",
                      std::string(NightLevelName(state_.nightLevel)).c_str());
        if (Control* status = dialog.FindControl(kNightStatusText)) status->SetText(text);
    }

    AppState& state_;
};

}  // namespace

const std::array<Colour, kSavedColourCount>& DefaultColours(DefaultColourSet set) {
    return set == DefaultColourSet::Set2003 ? kColours2003 : kColours2005;
}

std::string_view NightLevelName(int level) {
    return level >= 0 && level < kNightLevelCount ? kLevelNames[level] : kLevelNames[0];
}

int NightMenuRed(int level) { return ((level + 2) * 5) % 256; }

void ApplyNightMode(AppState& state, int level) {
    if (level < 0 || level >= kNightLevelCount) level = 0;
    state.nightLevel = level;
    if (level == 0) {
        state.display = DisplayColours{kColourWhite, kColourBlack, kNormalHighlight, kColourWhite};
        RestoreSystemColours(state);
        return;
    }
    const Colour red = Colour(state.redIntensity[size_t(level)]);
    state.display = DisplayColours{kColourBlack, red, red, kColourBlack};

    SystemColourTable& table = Table(state);
    if (!state.coloursSaved) {
        table.Get(kSavedColourIndices, state.savedColours);
        state.coloursSaved = true;
    }
    std::array<Colour, kSavedColourCount> dark;
    dark.fill(kNearBlack);
    table.Set(kSavedColourIndices, dark);

    std::array<int, 2 + kNightRedIndices.size()> indices;
    std::array<Colour, 2 + kNightRedIndices.size()> reds;
    indices[0] = kColourIndexMenu;
    indices[1] = kColourIndexButtonFace;
    reds[0] = reds[1] = Colour(NightMenuRed(level));
    for (size_t i = 0; i < kNightRedIndices.size(); ++i) {
        indices[i + 2] = kNightRedIndices[i];
        reds[i + 2] = red;
    }
    table.Set(indices, reds);
}

void RestoreSystemColours(AppState& state) {
    if (state.coloursSaved) Table(state).Set(kSavedColourIndices, state.savedColours);
}

void ChooseDefaultColours(AppState& state, DefaultColourSet set) {
    state.savedColours = DefaultColours(set);
    state.coloursSaved = true;
}

FormTemplate NightModeDialogTemplate() {
    FormTemplate t;
    t.id = kNightModeDialogId;
    t.title = "NightMode Settings";
    t.controls = {
        {kNightStatusText, ControlKind::StaticText, "", Rect{8, 8, 216, 24}},
        {kNightOffButton, ControlKind::Button, "Off", Rect{8, 30, 56, 52}},
        {kNightDarkButton, ControlKind::Button, "Dark", Rect{60, 30, 108, 52}},
        {kNightMediumButton, ControlKind::Button, "Medium", Rect{112, 30, 164, 52}},
        {kNightBrightButton, ControlKind::Button, "Bright", Rect{168, 30, 216, 52}},
        {0, ControlKind::StaticText, "Default Windows Colors:", Rect{8, 62, 216, 78}},
        {kNight2003Button, ControlKind::Button, "2003", Rect{8, 80, 60, 102}},
        {kNight2005Button, ControlKind::Button, "2005", Rect{64, 80, 116, 102}},
    };
    return t;
}

void RunNightModeDialog(AppState& state) {
    NightModeDialog dialog(state);
    state.windows.RunModalDialog(NightModeDialogTemplate(), dialog);
    ShowForm(state, state.currentFormId);
}

}  // namespace vsp
