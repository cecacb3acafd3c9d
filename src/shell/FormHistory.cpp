#include "shell/FormHistory.h"

#include <algorithm>

#include "shell/Forms.h"

namespace vsp {

void EnterForm(AppState& state, int formId) {
    auto& h = state.history;
    state.lastFormId = formId;
    if (formId == kHomeFormId) {
        h.fill(kHomeFormId);
        return;
    }
    if (std::find(h.begin(), h.end(), formId) != h.end()) return;
    for (int i = 1; i < kHistorySize - 1; ++i) h[size_t(i)] = h[size_t(i + 1)];
    h[kHistorySize - 1] = formId;
}

int ShiftHistoryBack(AppState& state) {
    auto& h = state.history;
    const int target = h[kHistorySize - 2];
    for (int i = kHistorySize - 1; i >= 2; --i) h[size_t(i)] = h[size_t(i - 1)];
    h[1] = h[0];
    h[0] = kHomeFormId;
    return target;
}

void BackToPreviousForm(AppState& state) { ShowForm(state, ShiftHistoryBack(state)); }

}  // namespace vsp
