#include "keyword_hint.h"

#include "keyword_scan.h"

#include <QToolTip>

namespace hearvex::exercise {

KeywordHint::KeywordHint(const ExerciseControls& controls, const Exercise& exercise)
    : m_controls(controls)
    , m_exercise(exercise) {
    for (int index = 0; index < 2; ++index)
        m_controls.RichTextBox1[index]->setMouseMoveHandler(
            [this, index](int button, int shift, int x, int y) {
                RichTextBox1_MouseMove(index, button, shift, x, y);
            });
}

void KeywordHint::RichTextBox1_MouseMove(int index, int, int, int x, int y) {
    if (m_resetPointer)
        m_resetPointer(); // the window's default pointer
    const controls::RichTextBox& source = *m_controls.RichTextBox1[index];
    if (index == 1 || !m_exercise.keywordHintOn()) {
        setHint(QString(), source, x, y);
        return;
    }
    setHint(wordAtPoint(*m_controls.RichTextBox1[0], x, y), source, x, y);
}

QString KeywordHint::wordAtPoint(const controls::RichTextBox& box, int x, int y) const {
    return wordAt(m_exercise.answerText(), box.charFromPos(QPoint(x, y)));
}

void KeywordHint::setHint(const QString& word, const controls::RichTextBox& source, int x, int y) {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    const QString before = box->toolTipText();
    box->setToolTipText(word);
    if (word == before)
        return;
    // Shown at once, so the learner reads each word while moving over the sentence.
    if (word.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(source.viewport()->mapToGlobal(QPoint(x, y)), word, box);
}

} // namespace hearvex::exercise
