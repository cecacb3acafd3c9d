#pragma once
// The pointing correction of the two-star method: the mount's error terms Z1..Z3 fitted one
// at a time by interval halving against the N-star list, then the axis offsets E1, E2 from
// what the fitted model still leaves.

#include <span>
#include <string>

#include "format/TextFormats.h"
#include "scope/AlignStar.h"
#include "scope/TwoStarAlignment.h"

namespace vsp {

// The mean angular distance (radians) between each star's predicted axes (degrees) and its
// mount reading seen through the error terms of `alignment`.
double MeanPointingError(const Alignment& alignment, const AlignmentFrame& frame,
                         std::span<const AlignStar> stars);

// Recomputes the two-star alignment with the error terms now in `alignment`, predicts every
// star (degrees) and returns the mean error; a failed alignment counts as no error change
// (its previous rotation stays).
double TrialError(Alignment& alignment, const AlignmentFrame& frame, const TwoStarRecords& records,
                  std::span<AlignStar> stars, InfoSink& messages);

struct ErrorTermResult {
    int iterations = 0;
    std::string message;  // "Converge in N iteration" and the three terms in degrees
};

// Fits Z1..Z3 and then E1, E2 into `alignment.errors`; the stars keep their last predictions
// and their corrected fields hold the final prediction.
ErrorTermResult FitErrorTerms(Alignment& alignment, const AlignmentFrame& frame, const TwoStarRecords& records,
                              std::span<AlignStar> stars, const TextFormats& formats, InfoSink& messages);

// Where a goto with the fitted model sends the mount for the star, into its corrected fields
// (degrees; azimuth for the alt-azimuth output types).
void PredictCorrected(const Alignment& alignment, const AlignmentFrame& frame, AlignStar& star);

}  // namespace vsp
