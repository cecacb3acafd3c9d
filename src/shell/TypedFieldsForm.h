#pragma once
// A form whose edit fields are read when the user turns away from them: Enter, a tap on the
// bare form, or leaving it. Each derived form reads and checks its fields in CommitTypedFields
// (its OnControl calls it too before a button acts).

#include "shell/Form.h"

namespace vsp {

class TypedFieldsForm : public Form {
public:
    bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) override {
        if (key.code != kKeyEnter) return false;
        CommitTypedFields(state, window);
        return true;
    }
    void OnTap(AppState& state, FormWindow& window, int, int, TapPhase phase) override {
        if (phase == TapPhase::Up) CommitTypedFields(state, window);
    }
    void OnLeave(AppState& state, FormWindow& window) override {
        CommitTypedFields(state, window);
        Form::OnLeave(state, window);
    }

protected:
    virtual void CommitTypedFields(AppState& state, FormWindow& window) = 0;
};

}  // namespace vsp
