// A word heard alone (F11), or with the words around it (Shift+F11): its
// part of the lesson's recording, by the lesson's word times, at the speed
// the learner has set. The lesson's track pauses and keeps its place. Without
// word times a short note says so. The look-up panel's button hears a word
// the same way, or through eSpeak NG when the recording does not time it.
#pragma once

#include "clip_output.h"
#include "player.h"
#include "word_times.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace hearvex {

class WordPlayer {
public:
    using NoteShower = std::function<void(const QString&)>;

    explicit WordPlayer(player::Player& player);
    // How the learner is told why nothing is heard.
    void setNoteShower(NoteShower showNote) { m_showNote = std::move(showNote); }

    // A lesson started: its recording (the bytes of its path) and sentence;
    // the word times are read from the sidecar beside the recording.
    void lessonStarted(const QByteArray& recordingFile, const QString& sentence);
    bool hasWordTimes() const { return !m_times.empty(); }
    // A word is being heard now.
    bool soundPlaying() const { return m_output.playing(); }

    // The sentence word at the typing caret (see word_to_play.h), alone or
    // with the words around it.
    void playAtCaret(const QString& typed, int caret, bool around);
    // A word of the look-up panel: from the recording when the lesson times
    // it, else said by eSpeak NG.
    void playWord(const QString& word);

private:
    bool playTimed(int first, int last);
    void pauseLesson();
    void note(const QString& text);

    player::Player& m_player;
    NoteShower m_showNote;
    words::ClipOutput m_output;
    QByteArray m_recordingFile;
    QString m_sentence;
    lessons::WordTimes m_times;
};

} // namespace hearvex
