// What the program remembers about the lessons while it runs.
#pragma once

#include <cstdint>

namespace hearvex::lessons {

struct LessonState {
    // The lesson last started, 1-based (its list position + 1); 0 before any.
    // The start-up sequence sets it to 1; the library selects the entry at
    // this 0-based position when it loads.
    std::int16_t curLesson = 0;
};

} // namespace hearvex::lessons
