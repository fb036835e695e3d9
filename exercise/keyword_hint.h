// The keyword hint: while the keyword-hint switch (Image2 item 3) is pressed,
// the exercise box's tooltip is the real word of the sentence under the
// pointer, looked up in answerText although the box shows it masked.
#pragma once

#include "exercise.h"
#include "exercise_controls.h"

#include <QString>
#include <functional>

namespace hearvex::exercise {

class KeywordHint {
public:
    // Takes the pointer movements of both boxes.
    KeywordHint(const ExerciseControls& controls, const Exercise& exercise);

    // A pointer movement over box index (0 exercise box, 1 typing box), at x, y
    // in pixels of the box's viewport.
    void RichTextBox1_MouseMove(int index, int button, int shift, int x, int y);

    // How a movement puts the window's pointer back to its default (the window's own).
    void setPointerReset(std::function<void()> reset) { m_resetPointer = std::move(reset); }

    // The word of answerText under the point of the box, or "".
    QString wordAtPoint(const controls::RichTextBox& box, int x, int y) const;

private:
    void setHint(const QString& word, const controls::RichTextBox& source, int x, int y);

    ExerciseControls m_controls;
    const Exercise& m_exercise;
    std::function<void()> m_resetPointer;
};

} // namespace hearvex::exercise
