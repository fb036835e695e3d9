// The compare's misses shown without the mouse: the whole sentence with the
// words missed marked, and the kinds of the misses beside the score.
#include "exercise.h"

#include "guard.h"
#include "marks.h"
#include "miss_text.h"

#include <QTextCharFormat>
#include <QToolTip>

namespace hearvex::exercise {

namespace {
// The mark of a word missed: as a typed word that found no place is marked,
// highlighted and underlined, so it reads without telling colours apart.
QTextCharFormat missedWordFormat() {
    QTextCharFormat format;
    format.setBackground(QColor(kWrongWordMark.background.red, kWrongWordMark.background.green,
                                kWrongWordMark.background.blue));
    format.setForeground(
        QColor(kWrongWordMark.text.red, kWrongWordMark.text.green, kWrongWordMark.text.blue));
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(QColor(kWrongWordMark.underline.red, kWrongWordMark.underline.green,
                                    kWrongWordMark.underline.blue));
    return format;
}
} // namespace

void Exercise::compareOrShowMisses() {
    if (!comparisonStands()) {
        compareAligned();
        return;
    }
    setFullText(!fullTextShown());
    if (fullTextShown())
        showMissesTip();
    else
        QToolTip::hideText();
}

void Exercise::markMisses() {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    if (!m_comparison || !m_model.fullTextShown()) {
        box->clearMarks();
        return;
    }
    const std::vector<AlignedWord>& words = m_comparison->alignment.sentence;
    std::vector<controls::RichTextBox::Range> missed;
    for (const ComparedPair& pair : m_comparison->pairs) {
        if (!pair.isMiss() || pair.sentenceIndex < 0)
            continue;
        for (qsizetype k = 0; k < pair.expected.size(); ++k) {
            const AlignedWord& word = words[size_t(pair.sentenceIndex + k)];
            missed.push_back({word.start, word.length});
        }
    }
    box->setMarks(missed, missedWordFormat());
}

// The tooltip a pointer would raise, raised by the key.
void Exercise::showMissesTip() {
    controls::Label* score = m_controls.lbScore;
    if (score->toolTip().isEmpty())
        return;
    QToolTip::showText(score->mapToGlobal(QPoint(0, score->height())), score->toolTip(), score);
}

std::vector<WordMiss> Exercise::checkedMisses(const QString& typed,
                                              const QStringList& missed) const {
    QString text = typed;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return checkMisses(comparePairs(alignWords(m_model.sentence(), text), m_facts), missed);
}

} // namespace hearvex::exercise
