#pragma once
// The catalogs of the harnesses that look objects and stars up: opened once per process in
// the harness home (real records with VESPERTAR_FUZZ_CATALOGS, none without).

#include "catalog/CatalogSession.h"

namespace vsp::fuzz {

CatalogSession& Sky();

}  // namespace vsp::fuzz
