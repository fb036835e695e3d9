#include "exercise.h"

#include "dictation.h"
#include "guard.h"

namespace hearvex::exercise {

using ui::skipOnError;

Exercise::Exercise(ui::Form1Design& form)
    : m_form(form) {
    ui::RichTextBox* box = m_form.RichTextBox1[0];
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void Exercise::selectkewen() {
    ui::RichTextBox* box = m_form.RichTextBox1[0];
    ui::RichTextBox* typing = m_form.RichTextBox1[1];
    skipOnError([&] { m_lessonText = box->text(); });
    if (isBlankLesson(m_lessonText))
        return;
    skipOnError([&] { prepareSentence(); });
    skipOnError([&] { m_form.Image2[3]->setBorderStyle(0); });
    skipOnError([&] { m_form.Image2[4]->setBorderStyle(0); });
    for (ui::RichTextBox* b : {box, typing}) {
        skipOnError([&] { b->setSelStart(0); });
        skipOnError([&] { b->setSelLength(static_cast<int>(b->text().size())); });
        skipOnError([&] { b->setSelColor(Qt::white); });
    }
    skipOnError([&] { box->setSelStart(0); });
    skipOnError([&] { typing->takeFocus(); });
}

// No policy of its own: a failing step ends it.
void Exercise::prepareSentence() {
    ui::RichTextBox* box = m_form.RichTextBox1[0];
    m_form.Image2[4]->setBorderStyle(0);
    m_form.RichTextBox1[1]->setText(QString());
    m_answerText = sentenceOf(m_lessonText);
    box->setText(maskLetters(m_answerText));
    box->setSelStart(0);
}

void Exercise::checkAnswer() {
    ui::RichTextBox* box = m_form.RichTextBox1[0];
    skipOnError([&] {
        QString shown = box->text();
        if (!shown.endsWith(QLatin1Char(' ')))
            shown += QLatin1Char(' ');
        box->setText(maskLetters(shown));
    });
    std::vector<CheckedSlot> compared;
    skipOnError([&] { compared = checkWords(m_form.RichTextBox1[1]->text(), m_answerText); });

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

} // namespace hearvex::exercise
