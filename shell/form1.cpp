#include "form1.h"

#include "dictation.h"
#include "dictionary_facts.h"
#include "guard.h"
#include "library_record.h"
#include "placement.h"
#include "window_drag.h"
#include "window_drop.h"
#include "word_book_keeper.h"

#include <QCoreApplication>
#include <QToolTip>

namespace hearvex {

Form1::Form1(EngineApi& engine, QWidget* parent)
    : Form1Design(parent)
    , m_engine(engine)
    , m_programDir(QCoreApplication::applicationDirPath())
    , m_view(viewControls(), engine)
    , m_player(playerControls(), engine, m_view)
    , m_repeat(repeatControls(), m_player)
    , m_exercise(exerciseControls())
    , m_toolbar(
          toolbarControls(), *this, engine, m_exercise,
          [this]() -> lessons::Form3& { return form3(); }, m_programDir)
    , m_recorder(*this)
    , m_dueLessons(
          m_recorder, [this]() -> lessons::Form3& { return form3(); }, *this, lbDue)
    , m_wordLookup(*this, m_dictionary)
    , m_wordPlayer(m_player)
    , m_keys(*this, m_player, m_exercise, m_toolbar)
    , m_shadow(*this, m_recorder, m_programDir) {
    // The window draws its own title strip and is moved by it.
    setWindowFlag(Qt::FramelessWindowHint);
    new WindowDrag(this, [this] { dockLibrary(); });
    m_toolbar.setWindowPreparer([](QWidget* window) { new WindowDrag(window); });
    m_player.setFreshPlayHandler([this] { m_repeat.switchOff(); });
    m_player.setPausedHandler([this](bool paused) { m_repeat.showPaused(paused); });
    m_exercise.setPointerReset([this] { unsetCursor(); });
    // Without the dictionary the compare still runs; only the kinds that need it go untold.
    QString dictionaryError;
    m_dictionary.open(words::Dictionary::defaultPath(m_programDir), &dictionaryError);
    m_exercise.setWordFacts(exercise::dictionaryFacts(m_dictionary));
    wirePracticeRecord();
    m_shadow.setWindowPreparer([](QWidget* window) { new WindowDrag(window); });
    m_keys.setShadowAction([this] { m_shadow.recordTake(); });
    m_toolbar.setQuitPreparer([this] { m_shadow.quitting(); });
    wireWordLookup();
    // A recording dropped anywhere on the window, the boxes included, opens and plays.
    new WindowDrop(this, [this](const QString& path) { m_player.openTrack(path); });
}

void Form1::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    base::runGuarded("Form1 load", [this] {
        m_exercise.Form_Load();
        m_player.Form_Load();
    });
}

void Form1::startLesson(const QString& text, const QString& recordingPath,
                        const QByteArray& recordingFile) {
    // The open may stop on a message box; no sentence (a full-text hint left
    // on, or words uncovered by a check) may stand readable behind it.
    base::skipOnError([&] { m_exercise.setFullText(false); });
    base::skipOnError([&] { m_player.openTrackFile(recordingPath, recordingFile); });
    base::skipOnError([&] { m_exercise.startSentence(text); });
    // A blank text leaves the previous sentence in the box, not this lesson's.
    const QString sentence = exercise::isBlankLesson(text) ? QString() : m_exercise.answerText();
    base::skipOnError([&] { m_recorder.lessonStarted(recordingPath, recordingFile, sentence); });
    base::skipOnError([&] { m_shadow.lessonStarted(recordingFile, sentence); });
    base::skipOnError([&] { m_wordPlayer.lessonStarted(recordingFile, sentence); });
}

void Form1::wirePracticeRecord() {
    m_player.setReplayHandler([this] { m_recorder.countReplay(); });
    m_repeat.setReplayHandler([this] { m_recorder.countReplay(); });
    m_recorder.setWindowPreparer([this](QWidget* window) {
        new WindowDrag(window);
        if (auto* records = qobject_cast<record::RecordWindow*>(window))
            wireWordBookPage(*records, m_recorder, m_dictionary);
    });
    m_recorder.setDueStarter([this](const record::DueItem& item) { m_dueLessons.start(item); });
    m_recorder.setTroubleShower([this](const QString& line, const QString& tip) {
        lbRecord->setCaption(line);
        lbRecord->setToolTip(line.isEmpty() ? QString() : tip);
    });
    m_keys.setRecordActions([this] { m_recorder.toggleWindow(); },
                            [this] { m_dueLessons.startNextDue(); });
    connect(&m_exercise, &exercise::Exercise::attemptMade, this,
            [this](const exercise::AttemptResult& result) { recordAttempt(result); });
}

void Form1::recordAttempt(const exercise::AttemptResult& result) {
    m_recorder.record(result, m_player.speedPercent());
}

void Form1::wireWordLookup() {
    m_wordLookup.setWindowPreparer([](QWidget* window) { new WindowDrag(window); });
    m_wordLookup.setKeepHandler(
        [this](const words::WordEntry& entry) { return keepInWordBook(m_recorder, entry.word); });
    m_keys.setLookUpAction(
        [this] { m_wordLookup.lookUpAt(m_exercise.typedText(), m_exercise.typingCaret()); });
    m_exercise.setWordOpener(
        [this](const QString& text, int offset) { m_wordLookup.lookUpClicked(text, offset); });
    m_keys.setPlayWordAction([this](bool around) {
        m_wordPlayer.playAtCaret(m_exercise.typedText(), m_exercise.typingCaret(), around);
    });
    m_wordLookup.setPlayHandler(
        [this](const words::WordEntry& entry) { m_wordPlayer.playWord(entry.word); });
    // A short note at the typing caret, gone by itself.
    m_wordPlayer.setNoteShower([this](const QString& note) {
        controls::RichTextBox* box = RichTextBox1[1];
        QToolTip::showText(box->mapToGlobal(box->cursorRect().bottomLeft()), note, box);
    });
}

lessons::Form3& Form1::form3() {
    if (!m_form3) {
        m_form3 = new lessons::Form3(*this, m_lessons, m_programDir, this);
        m_form3->setFocusReturn([this] {
            activateWindow();
            m_exercise.focusTypingBox();
        });
        new WindowDrag(m_form3);
        new LibraryRecord(
            *m_form3, m_recorder, [this] { m_recorder.showWindow(); },
            [this] { m_dueLessons.startNextDue(); });
        m_form3->Form_Load();
    }
    return *m_form3;
}

void Form1::dockLibrary() {
    form3().move(dockedTopLeft(frameGeometry()));
}

} // namespace hearvex
