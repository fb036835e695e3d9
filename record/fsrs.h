// The review schedule's memory model: FSRS-5 (the Free Spaced Repetition
// Scheduler, version 5, as published by open-spaced-repetition), with its
// published default parameters. Time is in days; stability is the number of
// days after which recall has fallen to 90 %; difficulty runs from 1 to 10.
#pragma once

#include <array>
#include <optional>

namespace hearvex::record::fsrs {

enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// FSRS-5's default parameters w0..w18.
inline constexpr std::array<double, 19> kDefaultWeights = {
    0.40255, 1.18385, 3.173, 15.69105, 7.1949, 0.5345, 1.4604, 0.0046,  1.54575, 0.1192,
    1.01925, 1.9395,  0.11,  0.29605,  2.2698, 0.2315, 2.9898, 0.51655, 0.6621};

// The forgetting curve R(t, S) = (1 + FACTOR * t / S) ^ DECAY, with
// FACTOR = 0.9 ^ (1 / DECAY) - 1 so that R(S, S) = 0.9.
inline constexpr double kDecay = -0.5;
inline constexpr double kFactor = 19.0 / 81.0;
inline constexpr double kDesiredRetention = 0.9;
inline constexpr int kMaximumIntervalDays = 36500;

struct MemoryState {
    double stability = 0;
    double difficulty = 0;
};

double retrievability(double elapsedDays, double stability);
double initialStability(Grade grade);
double initialDifficulty(Grade grade);
double nextDifficulty(double difficulty, Grade grade);
double stabilityAfterRecall(const MemoryState& state, double retrievability, Grade grade);
double stabilityAfterForgetting(const MemoryState& state, double retrievability);
// A second review on the same day.
double shortTermStability(double stability, Grade grade);

// The state after a review graded grade, elapsedDays after the last one
// (whole days; 0 is the same day); no state is a first review.
MemoryState nextState(const std::optional<MemoryState>& state, int elapsedDays, Grade grade);

// Whole days until recall is expected to fall to the desired retention
// (at 0.9 the stability itself), at least 1.
int nextIntervalDays(double stability, double desiredRetention = kDesiredRetention);

} // namespace hearvex::record::fsrs
