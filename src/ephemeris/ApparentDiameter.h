#pragma once

namespace vsp {

// Apparent diameter in arcminutes of body code 0..9 (the Sun to Pluto) at a distance in AU;
// 0 for other codes and for distances that are not positive.
double ApparentDiameter(int body, double distance);

}  // namespace vsp
