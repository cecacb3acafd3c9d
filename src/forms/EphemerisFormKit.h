#pragma once
// What the ephemeris forms share besides the observing context (ObservingContext.h): the layout of a title, a caption line, column heads and a list, and
// the body the ephemeris assistant was opened for.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/Time.h"
#include "format/TextFormats.h"
#include "forms/ObservingContext.h"
#include "shell/AppState.h"
#include "shell/Form.h"

namespace vsp {

inline constexpr int kPlanetsFormId = 2450;
inline constexpr int kMoonFormId = 6000;
inline constexpr int kTwilightFormId = 2410;
inline constexpr int kDayNightFormId = 2423;
inline constexpr int kEclipsesFormId = 2700;
inline constexpr int kEphemerisAssistantFormId = 2530;
inline constexpr int kCompassChartFormId = 2830;
inline constexpr int kPlanetMapSecondFormId = 2520;
inline constexpr int kMoonFeatureFormId = 6020;

// Layout of the 240 x 320 reference screen, 96-dpi pixels.
inline constexpr int kEphemTitleId = 8000;
inline constexpr int kEphemCaptionId = 8101;  // the place and date line under the title
inline constexpr int kEphemMargin = 4;
inline constexpr int kEphemWidth = 240 - 2 * kEphemMargin;
inline constexpr int kEphemLineHeight = 14;
inline constexpr int kEphemRowHeight = 16;   // one list row
inline constexpr int kEphemCaptionTop = 26;

// The body the ephemeris assistant shows; the forms that open it set it first.
struct EphemerisChoice {
    int body = kBodySun;
};
using SharedEphemerisChoice = std::shared_ptr<EphemerisChoice>;

// The cells of a body's row in a table (separated by '\t'): rise, transit and set to the
// minute, or a body that stays up or down all day said under the transit; RA and Dec in the
// short forms and the magnitude.
std::string RiseSetCells(const RiseTransitSetTimes& times);
std::string PlaceCells(AppState& state, const BodyPosition& place);

// A template titled with the form's screen name, with the caption line under the title.
FormTemplate EphemerisTemplate(int formId);
ControlTemplate TextAt(int id, int left, int top, int width, std::string text = {});
// Static texts naming the columns of a list whose left edge is at `left`, one per width.
void AddColumnHeads(FormTemplate& t, int firstId, int left, int top, const std::vector<int>& widths,
                    const std::vector<const char*>& heads);
// Relabels those heads on the open form.
void SetColumnHeads(AppState& state, int firstId, const std::vector<const char*>& heads);
// Two radios of one group side by side at `top`, the first with id `firstId`, the second the
// next id; the form checks one when it opens.
void AddRadioPair(FormTemplate& t, int firstId, int top, const char* first, const char* second);

// Gives a list of the open form its columns (96-dpi widths) and rows (top to bottom, cells
// separated by '\t'), replacing the rows it had.
void SetListColumns(AppState& state, FormWindow& window, int listId, const std::vector<int>& widths);
void FillList(AppState& state, FormWindow& window, int listId, const std::vector<std::string>& rows);

// The title as the way back, the form entered into the history and the caption line filled:
// what every ephemeris form does first when it opens.
void OpenEphemerisForm(AppState& state, FormWindow& window, int formId);

// The factories.
std::unique_ptr<Form> MakePlanetsForm(SharedEphemerisChoice choice);
std::unique_ptr<Form> MakeMoonForm();
std::unique_ptr<Form> MakeTwilightForm();
std::unique_ptr<Form> MakeDayNightForm();
std::unique_ptr<Form> MakeEclipsesForm();
std::unique_ptr<Form> MakeCompassChartForm();
std::unique_ptr<Form> MakePlanetMapForm();
std::unique_ptr<Form> MakeMoonFeatureForm();
std::unique_ptr<Form> MakeEphemerisAssistantForm(SharedEphemerisChoice choice);

}  // namespace vsp
