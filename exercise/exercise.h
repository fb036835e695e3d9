// The dictation exercise of the main window: the exercise box shows the
// lesson's sentence masked, the learner types into the typing box, and the
// check uncovers every word typed correctly in its place. The exercise owns
// both boxes, the two hint switches (keyword hint, full-text hint), whose
// border style is their state: 1 while pressed, and the compare's score.
#pragma once

#include "exercise_controls.h"

#include <QObject>
#include <QString>

namespace hearvex::exercise {

class Exercise {
public:
    // Makes the exercise box read-only to the learner (still selectable): its
    // text must stay aligned with answerText character for character. What is
    // typed into it goes to the typing box. Until the first lesson both boxes
    // show a grey hint on where to start.
    explicit Exercise(const ExerciseControls& controls);
    ~Exercise();
    Exercise(const Exercise&) = delete;
    Exercise& operator=(const Exercise&) = delete;

    // The exercise's part of the window's load handler.
    void Form_Load();

    // Builds the exercise from a lesson's text. A blank text empties the
    // exercise box and changes nothing else; the previous sentence stays in force.
    void selectkewen(const QString& lessonText);

    // Masks the exercise box afresh and uncovers each slot whose typed word
    // matches. Reports nothing; the last compared slot stays selected.
    void checkAnswer();

    // The aligned compare, beside the check: scores the typed words against
    // the sentence word by word (lbScore "N/M", the missed words in its
    // tooltip) and shows the typed words that found no place in red. Any
    // change of the typed text, and the next lesson, clear it.
    void compareAligned();
    void clearComparison();

    // The full-text hint: the whole sentence shown, or masked again.
    void showFullText(bool shown);
    bool fullTextShown() const;
    void toggleFullText() { showFullText(!fullTextShown()); }
    // Releases the full-text switch without touching the box (after a check).
    void releaseFullTextSwitch();

    // The keyword hint's switch.
    bool keywordHintOn() const;
    void toggleKeywordHint();

    // The exercise sentence: the first line of the lesson text.
    const QString& answerText() const { return m_answerText; }
    // The lesson text last given.
    const QString& lessonText() const { return m_lessonText; }

private:
    void prepareSentence();

    ExerciseControls m_controls;
    QMetaObject::Connection m_typingChanged;
    QString m_answerText;
    QString m_lessonText;
};

} // namespace hearvex::exercise
