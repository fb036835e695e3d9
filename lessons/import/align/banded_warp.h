// Dynamic time warping of two feature sequences within a band, coarse to
// fine: a Sakoe-Chiba band around the diagonal on a coarse copy of both, then
// at each finer level a narrow band around the path found at the coarser one.
// Memory grows with the length times the band, not with the length squared.
#pragma once

#include "mfcc.h"

#include <cstdint>
#include <vector>

namespace hearvex::lessons {

struct RowMatch {
    uint32_t first = 0; // the first frame of b matched to this frame of a
    uint32_t last = 0;  // the last
    float cost = 0;     // the mean distance of those pairs
};

struct WarpOptions {
    // The band at the coarsest level, as a share of b's length, and at least
    // this many seconds.
    double bandShare = 0.25;
    double bandMinSeconds = 60;
    int refineRadius = 12; // frames either side of the coarser path
    size_t coarsestCellBudget = 40'000'000;
};

// One RowMatch per frame of a; a path from the first frames of both to their
// last ones. Empty when either is empty.
std::vector<RowMatch> warpSequences(const std::vector<CepstralFrame>& a,
                                    const std::vector<CepstralFrame>& b,
                                    const WarpOptions& options = {});

// Distance between two frames.
float frameDistance(const CepstralFrame& x, const CepstralFrame& y);

} // namespace hearvex::lessons
