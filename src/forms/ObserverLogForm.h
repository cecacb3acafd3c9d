#pragma once
// ObserverLog (2600): the observer's notes: the list of them (new, open, delete, export), and
// one note at a time on two pages, its fields and its free text.

#include <memory>

#include "catalog/CatalogSession.h"
#include "catalog/ObservingList.h"
#include "forms/ObjectForms.h"
#include "forms/ObserverLogLayout.h"
#include "shell/Form.h"

namespace vsp {

// A new note takes the list's selected entry, else the object chosen in the finder or on the
// chart (`selection`).
std::unique_ptr<Form> MakeObserverLogForm(CatalogSession& sky, std::shared_ptr<ObservingList> list,
                                          SharedObjectSelection selection);

}  // namespace vsp
