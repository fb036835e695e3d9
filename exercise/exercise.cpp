#include "exercise.h"

#include "compare_score.h"
#include "dictation.h"
#include "guard.h"
#include "word_alignment.h"

namespace hearvex::exercise {

using base::skipOnError;

namespace {
// Typed words that found no place in the sentence; light enough to read on the box's blue.
const QColor kWrongWordColor{255, 60, 60};
} // namespace

Exercise::Exercise(const ExerciseControls& controls)
    : m_controls(controls) {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Letters typed into it by mistake belong in the typing box.
    box->setTypingTarget(m_controls.RichTextBox1[1]);
    // Until a lesson loads, the empty boxes say where to begin; a placeholder
    // is painted only, never part of the box's text.
    box->setPlaceholderText(QStringLiteral("双击右侧的课文开始听写"));
    m_controls.RichTextBox1[1]->setPlaceholderText(QStringLiteral("在这里输入听到的句子"));
    // The switches: pressed look one pixel down and right; the release toggles.
    m_controls.keywordSwitch->setPressShift(QPoint(1, 1));
    m_controls.keywordSwitch->setMouseUpHandler(
        [this](int, int, int, int) { toggleKeywordHint(); });
    m_controls.fullTextSwitch->setPressShift(QPoint(1, 1));
    m_controls.fullTextSwitch->setMouseUpHandler([this](int, int, int, int) { toggleFullText(); });
    // Marks over text that has changed would point at the wrong words.
    m_typingChanged = QObject::connect(m_controls.RichTextBox1[1], &QTextEdit::textChanged,
                                       [this] { clearComparison(); });
}

Exercise::~Exercise() {
    QObject::disconnect(m_typingChanged);
}

void Exercise::Form_Load() {
    for (controls::RichTextBox* box : m_controls.RichTextBox1)
        skipOnError([&] { box->setSelColor(Qt::white); });
}

void Exercise::selectkewen(const QString& lessonText) {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    controls::RichTextBox* typing = m_controls.RichTextBox1[1];
    // A lesson has begun: the boxes have no more need to say where to start.
    box->setPlaceholderText(QString());
    typing->setPlaceholderText(QString());
    m_lessonText = lessonText;
    clearComparison();
    if (isBlankLesson(m_lessonText)) {
        skipOnError([&] { box->setText(m_lessonText); });
        return;
    }
    skipOnError([&] { prepareSentence(); });
    skipOnError([&] { m_controls.keywordSwitch->setBorderStyle(0); });
    skipOnError([&] { m_controls.fullTextSwitch->setBorderStyle(0); });
    for (controls::RichTextBox* b : {box, typing}) {
        skipOnError([&] { b->setSelStart(0); });
        skipOnError([&] { b->setSelLength(static_cast<int>(b->text().size())); });
        skipOnError([&] { b->setSelColor(Qt::white); });
    }
    skipOnError([&] { box->setSelStart(0); });
    skipOnError([&] { typing->takeFocus(); });
}

// No policy of its own: a failing step ends it.
void Exercise::prepareSentence() {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    m_controls.fullTextSwitch->setBorderStyle(0);
    m_controls.RichTextBox1[1]->setText(QString());
    m_answerText = sentenceOf(m_lessonText);
    box->setText(maskLetters(m_answerText));
    box->setSelStart(0);
}

void Exercise::checkAnswer() {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    skipOnError([&] {
        QString shown = box->text();
        if (!shown.endsWith(QLatin1Char(' ')))
            shown += QLatin1Char(' ');
        box->setText(maskLetters(shown));
    });
    std::vector<CheckedSlot> compared;
    skipOnError([&] { compared = checkWords(m_controls.RichTextBox1[1]->text(), m_answerText); });

    const auto select = [box](const CheckedSlot& slot) {
        box->setSelStart(slot.offset);
        box->setSelLength(static_cast<int>(slot.word.size()));
    };
    for (const CheckedSlot& slot : compared) {
        skipOnError([&] {
            select(slot);
            // Only a slot that holds its masked word is uncovered: should the box
            // ever not show this sentence (a later lesson's text was blank), a
            // word written at a clamped offset would land in the wrong place.
            if (slot.matched && box->selText() == maskLetters(slot.word))
                box->setSelText(slot.word);
        });
    }
    if (!compared.empty())
        skipOnError([&] { select(compared.back()); });
}

void Exercise::compareAligned() {
    controls::RichTextBox* typing = m_controls.RichTextBox1[1];
    // One character per line break, as the box's offsets count them.
    QString typed = typing->text();
    typed.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const WordAlignment alignment = alignWords(m_answerText, typed);
    std::vector<controls::RichTextBox::Range> wrong;
    for (const AlignedWord& word : alignment.typed)
        if (!word.matched)
            wrong.push_back({word.start, word.length});
    typing->setMarks(wrong, kWrongWordColor);
    m_controls.lbScore->setCaption(scoreCaption(alignment));
    m_controls.lbScore->setToolTip(scoreToolTip(alignment));
}

void Exercise::clearComparison() {
    m_controls.RichTextBox1[1]->clearMarks();
    m_controls.lbScore->setCaption(QString());
    m_controls.lbScore->setToolTip(QString());
}

bool Exercise::fullTextShown() const {
    return m_controls.fullTextSwitch->borderStyle() == 1;
}

void Exercise::showFullText(bool shown) {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    if (shown) {
        box->setText(m_answerText);
        m_controls.fullTextSwitch->setBorderStyle(1);
    } else {
        m_controls.fullTextSwitch->setBorderStyle(0);
        box->setText(maskLetters(box->text()));
    }
}

void Exercise::releaseFullTextSwitch() {
    m_controls.fullTextSwitch->setBorderStyle(0);
}

bool Exercise::keywordHintOn() const {
    return m_controls.keywordSwitch->borderStyle() == 1;
}

void Exercise::toggleKeywordHint() {
    m_controls.keywordSwitch->setBorderStyle(keywordHintOn() ? 0 : 1);
}

} // namespace hearvex::exercise
