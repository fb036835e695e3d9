#include "lesson_match.h"

#include <vector>

namespace hearvex::record {

namespace {
bool isWanted(const LessonRef& wanted, const ListedLessons& listed, int position) {
    if (listed.sentenceOf(position) != wanted.sentence)
        return false;
    return wanted.audioHash.isEmpty() || listed.hashOf(position) == wanted.audioHash;
}
} // namespace

int findLesson(const LessonRef& wanted, const ListedLessons& listed) {
    if (wanted.sentence.isEmpty())
        return -1;
    std::vector<int> order;
    order.reserve(listed.names.size());
    const int sameName = static_cast<int>(listed.names.indexOf(wanted.recordingName));
    if (sameName >= 0)
        order.push_back(sameName);
    for (int position = 0; position < listed.names.size(); ++position)
        if (position != sameName)
            order.push_back(position);
    for (int position : order)
        if (isWanted(wanted, listed, position))
            return position;
    return -1;
}

} // namespace hearvex::record
