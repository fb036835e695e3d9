// Moving a sentence edge carried over from the synthetic speech into the
// pause the reader actually made near it: a rule over the recording's level
// per frame, no I/O.
#pragma once

#include <cstddef>
#include <vector>

namespace hearvex::lessons {

struct PauseSearch {
    size_t from = 0;        // frames where the pause may lie, inclusive
    size_t to = 0;          // exclusive
    size_t expectFirst = 0; // where the warp put the pause
    size_t expectEnd = 0;
};

struct Pause {
    size_t first = 0; // the quiet frames, first..end
    size_t end = 0;
};

class PauseFinder {
public:
    // levelDb: the recording's level per frame.
    explicit PauseFinder(std::vector<float> levelDb);

    // The quiet run in the search range that is long and near where the warp
    // put the pause; when nothing there is quiet, the quietest frame.
    Pause find(const PauseSearch& search) const;

    float quietBelowDb() const { return m_quietBelow; }
    size_t size() const { return m_level.size(); }

private:
    std::vector<float> m_level; // smoothed
    float m_quietBelow = 0;
};

} // namespace hearvex::lessons
