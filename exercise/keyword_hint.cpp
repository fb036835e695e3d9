#include "keyword_hint.h"

#include "keyword_scan.h"

#include <QToolTip>

namespace hearvex::exercise {

KeywordHint::KeywordHint(ui::Form1Design& form, const Exercise& exercise)
    : m_form(form)
    , m_exercise(exercise) {
    for (int index = 0; index < 2; ++index)
        m_form.RichTextBox1[index]->setMouseMoveHandler(
            [this, index](int button, int shift, int x, int y) {
                RichTextBox1_MouseMove(index, button, shift, x, y);
            });
}

void KeywordHint::RichTextBox1_MouseMove(int index, int, int, int x, int y) {
    m_form.unsetCursor(); // the default pointer
    const ui::RichTextBox& source = *m_form.RichTextBox1[index];
    if (index == 1 || m_form.Image2[3]->borderStyle() != 1) {
        setHint(QString(), source, x, y);
        return;
    }
    setHint(wordAtPoint(*m_form.RichTextBox1[0], x, y), source, x, y);
}

QString KeywordHint::wordAtPoint(const ui::RichTextBox& box, int x, int y) const {
    return wordAt(m_exercise.answerText(), box.charFromPos(QPoint(x, y)));
}

void KeywordHint::setHint(const QString& word, const ui::RichTextBox& source, int x, int y) {
    ui::RichTextBox* box = m_form.RichTextBox1[0];
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
