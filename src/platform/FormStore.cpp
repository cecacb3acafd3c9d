#include "platform/FormStore.h"

#include <algorithm>

namespace vsp {

FormWindow* FormStore::Create(const FormTemplate& tmpl) {
    closed_.clear();
    open_.push_back(std::make_unique<FormWindow>(NewHandle(), tmpl, caps_));
    return open_.back().get();
}

void FormStore::Close(std::unique_ptr<FormWindow>& form) {
    loop_.KillTimers(form->Handle());
    form->ReleaseAllHooks();
    form->SetVisible(false);
    closed_.push_back(std::move(form));
}

bool FormStore::Destroy(FormWindow* form) {
    auto it = std::find_if(open_.begin(), open_.end(), [&](const auto& f) { return f.get() == form; });
    if (it == open_.end()) return false;
    Close(*it);
    open_.erase(it);
    return true;
}

void FormStore::DestroyAll() {
    for (auto& form : open_) Close(form);
    open_.clear();
}

FormWindow* FormStore::Find(WindowHandle handle) {
    for (auto& f : open_) {
        if (f->Handle() == handle) return f.get();
    }
    return nullptr;
}

}  // namespace vsp
