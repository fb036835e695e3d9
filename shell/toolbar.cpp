#include "toolbar.h"

#include "dictation.h"
#include "form1.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace hearvex {

namespace {
// Ends the process without running anything else: no window closes with its
// events, no destructor runs. What is written is flushed first.
[[noreturn]] void endProcessNow() {
    std::fflush(nullptr);
    std::_Exit(0);
}
} // namespace

Toolbar::Toolbar(Form1& form)
    : m_form(form)
    , m_endProcess(endProcessNow) {
    for (int index = 0; index < static_cast<int>(m_form.Image2.size()); ++index) {
        ui::PictureButton* image = m_form.Image2[index];
        if (!image)
            continue;
        image->setMouseDownHandler([this, index](int button, int shift, int x, int y) {
            Image2_MouseDown(index, button, shift, x, y);
        });
        image->setMouseUpHandler([this, index](int button, int shift, int x, int y) {
            Image2_MouseUp(index, button, shift, x, y);
        });
    }
}

void Toolbar::Image2_MouseDown(int index, int, int, int, int) {
    ui::PictureButton* image = m_form.Image2[index];
    image->setTop(image->top() + 1);
    image->setLeft(image->left() + 1);
}

void Toolbar::Image2_MouseUp(int index, int, int, int, int) {
    ui::PictureButton* image = m_form.Image2[index];
    image->setTop(image->top() - 1);
    image->setLeft(image->left() - 1);
    runCommand(index);
}

void Toolbar::runCommand(int index) {
    switch (index) {
    case 0:
        showWordLists();
        break;
    case 1:
        openHelp();
        break;
    case 2:
        quit();
        break;
    case 3:
        m_form.Image2[3]->setBorderStyle(m_form.Image2[3]->borderStyle() == 1 ? 0 : 1);
        break;
    case 4:
        toggleFullText();
        break;
    case 6:
        m_form.exercise().checkAnswer();
        m_form.Image2[4]->setBorderStyle(0);
        break;
    case 7:
        stepLesson(+1);
        break;
    case 8:
        m_form.form3().show();
        m_form.form3().raise();
        break;
    case 9:
        stepLesson(-1);
        break;
    default:
        break;
    }
}

void Toolbar::showWordLists() {
    // Closing the window deletes it; the next opening loads it afresh.
    if (!m_form2) {
        m_form2 = new library::Form2(m_form.programDir(), &m_form);
        if (m_prepare)
            m_prepare(m_form2);
        m_form2->Form_Load();
        // It opens over the middle of the main window, where the learner is looking.
        m_form2->move(m_form.frameGeometry().center() - m_form2->rect().center());
    }
    m_form2->show();
    m_form2->raise();
    m_form2->activateWindow();
}

void Toolbar::openHelp() {
    // Left to the desktop's program for web pages; what it says is not looked at.
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QDir(m_form.programDir()).filePath(QStringLiteral("Hearvex说明.htm"))));
}

void Toolbar::quit() {
    EngineApi& engine = m_form.engine();
    engine.stop();
    engine.stopCallback();
    engine.free();
    m_endProcess();
}

void Toolbar::toggleFullText() {
    ui::PictureButton* fullText = m_form.Image2[4];
    ui::RichTextBox* box = m_form.RichTextBox1[0];
    if (fullText->borderStyle() == 0) {
        box->setText(m_form.exercise().answerText());
        fullText->setBorderStyle(1);
    } else {
        fullText->setBorderStyle(0);
        box->setText(exercise::maskLetters(box->text()));
    }
}

void Toolbar::stepLesson(int step) {
    library::Form3& library = m_form.form3(); // loads it first if it never was
    const int selected = library.File1->listIndex();
    if (step > 0 && selected >= library.File1->listCount() - 1)
        return;
    if (step < 0 && selected < 1)
        return;
    library.File1->setListIndex(selected + step);
    library.playwav();
}

} // namespace hearvex
