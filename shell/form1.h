// The main window: the designed controls with each part of the program wired
// to its own controls (see the owner table in form1_design.h). Other windows
// call its public procedures.
#pragma once

#include <QFile>

#include "dictionary.h"
#include "due_lessons.h"
#include "engine_api.h"
#include "exercise.h"
#include "form1_design.h"
#include "form3.h"
#include "lesson_host.h"
#include "lesson_state.h"
#include "player.h"
#include "practice_keys.h"
#include "practice_recorder.h"
#include "repeat.h"
#include "shadow_practice.h"
#include "toolbar.h"
#include "wave_view.h"
#include "word_lookup.h"
#include "word_player.h"

namespace hearvex {

class Form1 : public Form1Design, public lessons::LessonHost {
    Q_OBJECT
public:
    explicit Form1(EngineApi& engine, QWidget* parent = nullptr);

    // Runs the load handler once, before the window is first shown.
    void load();

    void startLesson(const QString& text, const QString& recordingPath,
                     const QByteArray& recordingFile) override;
    // The same for a recording whose name the locale can spell.
    void startLesson(const QString& text, const QString& recordingPath) {
        startLesson(text, recordingPath, QFile::encodeName(recordingPath));
    }

    // The directory the program reads its lessons, word lists and help from
    // (the program's own; tests give a temporary one before the first use).
    const QString& programDir() const { return m_programDir; }
    void setProgramDir(const QString& dir) { m_programDir = dir; }

    // The lesson library, created and loaded (not shown) on first use.
    lessons::Form3& form3();
    lessons::LessonState& lessonState() { return m_lessons; }

    EngineApi& engine() { return m_engine; }
    player::Player& player() { return m_player; }
    repeat::Repeat& repeat() { return m_repeat; }
    view::WaveView& waveView() { return m_view; }
    exercise::Exercise& exercise() { return m_exercise; }
    Toolbar& toolbar() { return m_toolbar; }
    PracticeRecorder& recorder() { return m_recorder; }
    DueLessons& dueLessons() { return m_dueLessons; }
    WordLookup& wordLookup() { return m_wordLookup; }
    WordPlayer& wordPlayer() { return m_wordPlayer; }
    // A check or compare was made: it goes into the practice record.
    void recordAttempt(const exercise::AttemptResult& result);

private:
    // Replays, the record window, F10 and F12 wired to the practice record.
    void wirePracticeRecord();
    // After a drag of this window: the library against its right edge again.
    void dockLibrary();
    // F2, F11 and the look-up panel wired to the dictionary, the typing box and the recording.
    void wireWordLookup();

    EngineApi& m_engine;
    QString m_programDir;
    view::WaveView m_view;
    player::Player m_player;
    repeat::Repeat m_repeat;
    exercise::Exercise m_exercise;
    // The dictionary beside the program, read a block at a time as words are asked.
    words::Dictionary m_dictionary;
    Toolbar m_toolbar;
    PracticeRecorder m_recorder;
    DueLessons m_dueLessons;
    WordLookup m_wordLookup;
    WordPlayer m_wordPlayer;
    PracticeKeys m_keys; // after the parts it drives, so it goes first
    ShadowPractice m_shadow;
    lessons::LessonState m_lessons;
    lessons::Form3* m_form3 = nullptr; // owned as a child window
    bool m_loaded = false;
};

} // namespace hearvex
