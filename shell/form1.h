// The main window: the designed controls with the behaviour of every part of
// the program wired to them. Other windows call its public procedures.
#pragma once

#include "engine_api.h"
#include "exercise.h"
#include "form1_design.h"
#include "form3.h"
#include "keyword_hint.h"
#include "lesson_host.h"
#include "lesson_state.h"
#include "player.h"
#include "repeat.h"
#include "toolbar.h"
#include "wave_view.h"

namespace hearvex {

class Form1 : public ui::Form1Design, public library::LessonHost {
    Q_OBJECT
public:
    explicit Form1(EngineApi& engine, QWidget* parent = nullptr);

    // Runs the load handler once, before the window is first shown.
    void load();

    void btOpen_Click() override { m_player.btOpen_Click(); }
    int getState() { return m_player.getState(); }
    void playw() { m_player.playw(); }
    void selectkewen() override { m_exercise.selectkewen(); }

    // The directory the program reads its lessons, word lists and help from
    // (the program's own; tests give a temporary one before the first use).
    const QString& programDir() const { return m_programDir; }
    void setProgramDir(const QString& dir) { m_programDir = dir; }

    // The lesson library, created and loaded (not shown) on first use.
    library::Form3& form3();
    library::LessonState& lessonState() { return m_lessons; }
    exercise::Exercise& exercise() { return m_exercise; }

    EngineApi& engine() { return m_engine; }
    player::Player& player() { return m_player; }
    repeat_view::Repeat& repeat() { return m_repeat; }
    repeat_view::WaveView& waveView() { return m_view; }
    Toolbar& toolbar() { return m_toolbar; }

private:
    void setExerciseText(const QString& text) override;
    void setTrackPath(const QString& path) override;
    // After a drag of this window: the library against its right edge again.
    void dockLibrary();

    EngineApi& m_engine;
    player::Player m_player;
    repeat_view::Repeat m_repeat;
    repeat_view::WaveView m_view;
    exercise::Exercise m_exercise;
    exercise::KeywordHint m_keywordHint;
    Toolbar m_toolbar;
    library::LessonState m_lessons;
    QString m_programDir;
    library::Form3* m_form3 = nullptr; // owned as a child window
    bool m_loaded = false;
};

} // namespace hearvex
