#include "fsrs.h"

#include <algorithm>
#include <cmath>

namespace hearvex::record::fsrs {

namespace {

constexpr double kMinimumStability = 0.01;
constexpr double kMaximumStability = 36500;

double w(int index) {
    return kDefaultWeights[static_cast<std::size_t>(index)];
}

double gradeValue(Grade grade) {
    return static_cast<double>(static_cast<int>(grade));
}

double clampStability(double stability) {
    return std::clamp(stability, kMinimumStability, kMaximumStability);
}

double clampDifficulty(double difficulty) {
    return std::clamp(difficulty, 1.0, 10.0);
}

// D0(G) before clamping: the mean reversion aims at D0(Easy) as it is.
double rawInitialDifficulty(Grade grade) {
    return w(4) - std::exp(w(5) * (gradeValue(grade) - 1)) + 1;
}

} // namespace

double retrievability(double elapsedDays, double stability) {
    return std::pow(1 + kFactor * std::max(elapsedDays, 0.0) / stability, kDecay);
}

double initialStability(Grade grade) {
    return clampStability(w(static_cast<int>(grade) - 1));
}

double initialDifficulty(Grade grade) {
    return clampDifficulty(rawInitialDifficulty(grade));
}

double nextDifficulty(double difficulty, Grade grade) {
    const double delta = -w(6) * (gradeValue(grade) - 3);
    // Linear damping: the nearer to 10, the smaller the step up.
    const double damped = difficulty + delta * (10 - difficulty) / 9;
    const double reverted = w(7) * rawInitialDifficulty(Grade::Easy) + (1 - w(7)) * damped;
    return clampDifficulty(reverted);
}

double stabilityAfterRecall(const MemoryState& state, double r, Grade grade) {
    const double hardPenalty = grade == Grade::Hard ? w(15) : 1;
    const double easyBonus = grade == Grade::Easy ? w(16) : 1;
    const double growth = std::exp(w(8)) * (11 - state.difficulty) *
                          std::pow(state.stability, -w(9)) * (std::exp(w(10) * (1 - r)) - 1) *
                          hardPenalty * easyBonus;
    return clampStability(state.stability * (growth + 1));
}

double stabilityAfterForgetting(const MemoryState& state, double r) {
    const double forgotten = w(11) * std::pow(state.difficulty, -w(12)) *
                             (std::pow(state.stability + 1, w(13)) - 1) * std::exp(w(14) * (1 - r));
    // A lapse leaves a memory less stable than a same-day review would.
    return clampStability(std::min(forgotten, state.stability / std::exp(w(17) * w(18))));
}

double shortTermStability(double stability, Grade grade) {
    return clampStability(stability * std::exp(w(17) * (gradeValue(grade) - 3 + w(18))));
}

MemoryState nextState(const std::optional<MemoryState>& state, int elapsedDays, Grade grade) {
    if (!state)
        return {initialStability(grade), initialDifficulty(grade)};
    MemoryState next;
    if (elapsedDays <= 0) {
        next.stability = shortTermStability(state->stability, grade);
    } else {
        const double r = retrievability(elapsedDays, state->stability);
        next.stability = grade == Grade::Again ? stabilityAfterForgetting(*state, r)
                                               : stabilityAfterRecall(*state, r, grade);
    }
    next.difficulty = nextDifficulty(state->difficulty, grade);
    return next;
}

int nextIntervalDays(double stability, double desiredRetention) {
    const double days = stability / kFactor * (std::pow(desiredRetention, 1 / kDecay) - 1);
    return std::clamp(static_cast<int>(std::lround(days)), 1, kMaximumIntervalDays);
}

} // namespace hearvex::record::fsrs
