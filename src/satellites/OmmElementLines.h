#pragma once
// One OMM (CCSDS Orbit Mean-elements Message) record of the SGP4 theory as the two element
// lines of the database: the fields written as the two-line format carries them (angles to
// 0.0001°, eccentricity to 1e-7, mean motion to 1e-8 rev/day, the epoch as YYDDD with 8
// decimals of a day, B* and the second derivative to five significant digits), the catalog
// number in Alpha-5 up to 339999 and kept beside the lines beyond. Those are the precisions
// the published two-line sets have, so an OMM of them converts without loss.

#include <map>
#include <optional>
#include <string>

#include "satellites/SatelliteElements.h"

namespace vsp {

// The keys of one record (OBJECT_NAME, NORAD_CAT_ID, EPOCH, MEAN_MOTION, ...: upper case) and
// their texts, blanks trimmed.
using OmmFields = std::map<std::string, std::string>;

// The record, or why the fields make none (a missing or unreadable key, an EPHEMERIS_TYPE
// other than 0, a value the two-line fields cannot hold). The values themselves are checked
// afterwards as every element set is (FindElementValueFault).
std::optional<std::string> OmmToRecord(const OmmFields& fields, SatelliteRecord& record);

}  // namespace vsp
