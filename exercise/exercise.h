// The dictation exercise of the main window: the exercise box shows the
// lesson's sentence masked, the learner types into the typing box, and the
// check uncovers every word typed correctly in its place.
#pragma once

#include "form1_design.h"

#include <QString>

namespace hearvex::exercise {

class Exercise {
public:
    // Makes the exercise box read-only to the learner (still selectable): its
    // text must stay aligned with answerText character for character.
    explicit Exercise(ui::Form1Design& form);

    // Builds the exercise from the text now in the exercise box. A blank text
    // changes nothing; the previous sentence stays in force.
    void selectkewen();

    // Masks the exercise box afresh and uncovers each slot whose typed word
    // matches. Reports nothing; the last compared slot stays selected.
    void checkAnswer();

    // The exercise sentence: the first line of the lesson text.
    const QString& answerText() const { return m_answerText; }
    // The lesson text as read from the exercise box at lesson load.
    const QString& lessonText() const { return m_lessonText; }

private:
    void prepareSentence();

    ui::Form1Design& m_form;
    QString m_answerText;
    QString m_lessonText;
};

} // namespace hearvex::exercise
