// The keyword hint of the exercise: while its switch is on, the exercise
// box's tooltip is the real word of the sentence under the pointer, looked up
// in the sentence although the box shows it masked.
#include "exercise.h"

#include "keyword_scan.h"

#include <QToolTip>

namespace hearvex::exercise {

void Exercise::RichTextBox1_MouseMove(int index, int, int, int x, int y) {
    if (m_resetPointer)
        m_resetPointer(); // the window's default pointer
    if (index == 1 || !m_model.keywordHintOn()) {
        setHint(QString(), index, x, y);
        return;
    }
    setHint(wordAtPoint(x, y), index, x, y);
}

QString Exercise::wordAtPoint(int x, int y) const {
    return wordAt(m_model.sentence(), m_controls.RichTextBox1[0]->charFromPos(QPoint(x, y)));
}

void Exercise::setHint(const QString& word, int sourceIndex, int x, int y) {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    box->setToolTipText(word);
    if (word == m_hint)
        return;
    m_hint = word;
    // Shown at once, so the learner reads each word while moving over the sentence.
    if (word.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(
            m_controls.RichTextBox1[sourceIndex]->viewport()->mapToGlobal(QPoint(x, y)), word, box);
}

} // namespace hearvex::exercise
