#include "dictation_model.h"

#include <algorithm>

namespace hearvex::exercise {

namespace {
// The selection a box makes of a slot: both ends held inside its text.
BoxSelection selectionIn(const QString& shown, int offset, int length) {
    const int size = static_cast<int>(shown.size());
    const int start = std::min(offset, size);
    return {start, std::min(length, size - start)};
}
} // namespace

bool DictationModel::start(const QString& lessonText) {
    m_lessonText = lessonText;
    if (isBlankLesson(lessonText)) {
        m_shown = lessonText;
        m_selection = {};
        return false;
    }
    m_started = true;
    m_fullText = false;
    m_keywordHint = false;
    m_sentence = sentenceOf(lessonText);
    m_shown = maskLetters(m_sentence);
    m_selection = {};
    return true;
}

CheckOutcome DictationModel::check(const QString& typedText) {
    QString shown = m_shown;
    if (!shown.endsWith(QLatin1Char(' ')))
        shown += QLatin1Char(' ');
    m_shown = maskLetters(shown);
    m_selection = {};
    m_fullText = false;

    std::vector<int> uncovered; // offsets of the slots uncovered
    const std::vector<CheckedSlot> compared = checkWords(typedText, m_sentence);
    for (const CheckedSlot& slot : compared) {
        const int length = static_cast<int>(slot.word.size());
        // Only a slot that holds its masked word is uncovered: when the box
        // shows a blank lesson's text instead of this sentence, a word would
        // otherwise land where no slot is.
        if (slot.matched && m_shown.mid(slot.offset, length) == maskLetters(slot.word)) {
            m_shown.replace(slot.offset, length, slot.word);
            uncovered.push_back(slot.offset);
        }
    }
    if (!compared.empty())
        m_selection = selectionIn(m_shown, compared.back().offset,
                                  static_cast<int>(compared.back().word.size()));

    CheckOutcome outcome;
    for (const SentenceSlot& slot : sentenceSlots(m_sentence)) {
        ++outcome.words;
        if (std::find(uncovered.begin(), uncovered.end(), slot.offset) != uncovered.end())
            ++outcome.uncovered;
        else
            outcome.missedWords.append(slot.word);
    }
    return outcome;
}

void DictationModel::setFullText(bool shown) {
    m_fullText = shown;
    m_shown = shown ? m_sentence : maskLetters(m_shown);
    m_selection = {};
}

} // namespace hearvex::exercise
