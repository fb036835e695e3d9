#include "exercise.h"

#include "compare_score.h"
#include "guard.h"
#include "marks.h"
#include "miss_text.h"
#include "word_alignment.h"

#include <QMouseEvent>
#include <QTextCharFormat>

namespace hearvex::exercise {

using base::skipOnError;

namespace {
QColor colourOf(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

// A typed word that found no place: highlighted and underlined, not only coloured.
QTextCharFormat wrongWordFormat() {
    QTextCharFormat format;
    format.setBackground(colourOf(kWrongWordMark.background));
    format.setForeground(colourOf(kWrongWordMark.text));
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(colourOf(kWrongWordMark.underline));
    return format;
}
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
    for (int index = 0; index < 2; ++index)
        m_controls.RichTextBox1[index]->setMouseMoveHandler(
            [this, index](int button, int shift, int x, int y) {
                RichTextBox1_MouseMove(index, button, shift, x, y);
            });
    for (controls::RichTextBox* eitherBox : m_controls.RichTextBox1)
        eitherBox->viewport()->installEventFilter(this);
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

void Exercise::showModel() {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    skipOnError([&] { box->setText(m_model.shownText()); });
    const BoxSelection selection = m_model.selection();
    skipOnError([&] {
        box->setSelStart(selection.start);
        box->setSelLength(selection.length);
    });
    skipOnError([&] { m_controls.keywordSwitch->setBorderStyle(m_model.keywordHintOn() ? 1 : 0); });
    skipOnError(
        [&] { m_controls.fullTextSwitch->setBorderStyle(m_model.fullTextShown() ? 1 : 0); });
    markMisses();
}

// Both boxes in white, and what is typed next.
void Exercise::whitenBoxes() {
    for (controls::RichTextBox* b : m_controls.RichTextBox1) {
        skipOnError([&] { b->setSelStart(0); });
        skipOnError([&] { b->setSelLength(static_cast<int>(b->text().size())); });
        skipOnError([&] { b->setSelColor(Qt::white); });
    }
}

void Exercise::startSentence(const QString& lessonText) {
    controls::RichTextBox* box = m_controls.RichTextBox1[0];
    controls::RichTextBox* typing = m_controls.RichTextBox1[1];
    // A lesson has begun: the boxes have no more need to say where to start.
    box->setPlaceholderText(QString());
    typing->setPlaceholderText(QString());
    clearComparison();
    if (!m_model.start(lessonText)) {
        skipOnError([&] { box->setText(m_model.shownText()); });
        return;
    }
    skipOnError([&] { typing->setText(QString()); });
    showModel();
    whitenBoxes();
    skipOnError([&] { box->setSelStart(0); });
    skipOnError([&] { typing->takeFocus(); });
}

void Exercise::focusTypingBox() {
    m_controls.RichTextBox1[1]->takeFocus();
}

QString Exercise::typedText() const {
    return m_controls.RichTextBox1[1]->text();
}

int Exercise::typingCaret() const {
    return m_controls.RichTextBox1[1]->selStart();
}

// A double-click on a word opens it; the box still selects the word as usual.
bool Exercise::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick || !m_openWord)
        return false;
    for (int index = 0; index < 2; ++index) {
        controls::RichTextBox* box = m_controls.RichTextBox1[size_t(index)];
        if (watched != box->viewport() || (index == 1 && !comparisonStands()))
            continue;
        const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QString text = box->toPlainText();
        const int offset = box->cursorForPosition(point).position();
        base::runGuarded("word double-click", [&] { m_openWord(text, offset); });
    }
    return false;
}

void Exercise::check() {
    const QString typed = m_controls.RichTextBox1[1]->text();
    const CheckOutcome outcome = m_model.check(typed);
    showModel();
    if (m_model.started() && outcome.words > 0)
        emit attemptMade({AttemptResult::Kind::Check, m_model.sentence(), typed, outcome.uncovered,
                          outcome.words, outcome.missedWords,
                          checkedMisses(typed, outcome.missedWords)});
}

void Exercise::compareAligned() {
    controls::RichTextBox* typing = m_controls.RichTextBox1[1];
    const QString typedText = typing->text();
    // One character per line break, as the box's offsets count them.
    QString typed = typedText;
    typed.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const WordAlignment alignment = alignWords(m_model.sentence(), typed);
    std::vector<controls::RichTextBox::Range> wrong;
    for (const AlignedWord& word : alignment.typed)
        if (!word.matched)
            wrong.push_back({word.start, word.length});
    typing->setMarks(wrong, wrongWordFormat());
    m_comparison = Comparison{alignment, comparePairs(alignment, m_facts)};
    m_controls.lbScore->setCaption(scoreCaption(alignment));
    m_controls.lbScore->setToolTip(missesToolTip(alignment, m_comparison->pairs));
    markMisses();
    if (!m_model.started() || alignment.sentence.empty())
        return;
    QStringList missed;
    for (const QString& word : alignment.missedWords())
        missed.append(word);
    emit attemptMade({AttemptResult::Kind::Compare, m_model.sentence(), typedText,
                      alignment.matchedCount(), static_cast<int>(alignment.sentence.size()), missed,
                      sentenceMisses(m_comparison->pairs)});
}

void Exercise::clearComparison() {
    m_comparison.reset();
    m_controls.RichTextBox1[0]->clearMarks();
    m_controls.RichTextBox1[1]->clearMarks();
    m_controls.lbScore->setCaption(QString());
    m_controls.lbScore->setToolTip(QString());
}

void Exercise::setFullText(bool shown) {
    m_model.setFullText(shown);
    showModel();
}

void Exercise::toggleKeywordHint() {
    m_model.setKeywordHint(!m_model.keywordHintOn());
    skipOnError([&] { m_controls.keywordSwitch->setBorderStyle(m_model.keywordHintOn() ? 1 : 0); });
}

} // namespace hearvex::exercise
