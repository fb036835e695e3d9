// The keyword hint: while the keyword-hint switch (Image2 item 3) is pressed,
// the exercise box's tooltip is the real word of the sentence under the
// pointer, looked up in answerText although the box shows it masked.
#pragma once

#include "exercise.h"
#include "form1_design.h"

#include <QString>

namespace hearvex::exercise {

class KeywordHint {
public:
    // Takes the pointer movements of both boxes of the form.
    KeywordHint(ui::Form1Design& form, const Exercise& exercise);

    // A pointer movement over box index (0 exercise box, 1 typing box), at x, y
    // in pixels of the box's viewport.
    void RichTextBox1_MouseMove(int index, int button, int shift, int x, int y);

    // The word of answerText under the point of the box, or "".
    QString wordAtPoint(const ui::RichTextBox& box, int x, int y) const;

private:
    void setHint(const QString& word, const ui::RichTextBox& source, int x, int y);

    ui::Form1Design& m_form;
    const Exercise& m_exercise;
};

} // namespace hearvex::exercise
