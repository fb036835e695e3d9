#include "word_player.h"

#include "pronunciation.h"
#include "word_clip.h"
#include "word_to_play.h"

namespace hearvex {

namespace {

QByteArray sidecarOf(const QByteArray& recordingFile) {
    const int slash = int(recordingFile.lastIndexOf('/'));
    const QByteArray folder = slash < 0 ? QByteArray() : recordingFile.left(slash + 1);
    return folder + lessons::wordTimesFileName(recordingFile.mid(slash + 1));
}

} // namespace

WordPlayer::WordPlayer(player::Player& player)
    : m_player(player) {}

void WordPlayer::note(const QString& text) {
    if (m_showNote)
        m_showNote(text);
}

void WordPlayer::lessonStarted(const QByteArray& recordingFile, const QString& sentence) {
    m_output.stop();
    m_recordingFile = recordingFile;
    m_sentence = sentence;
    m_times.clear();
    if (recordingFile.isEmpty())
        return;
    // A damaged or unreadable sidecar is a lesson without word times.
    const lessons::WordTimesFile file = lessons::readWordTimes(sidecarOf(recordingFile));
    if (file.status == lessons::WordTimesStatus::Read)
        m_times = file.words;
}

void WordPlayer::playAtCaret(const QString& typed, int caret, bool around) {
    if (m_recordingFile.isEmpty()) {
        note(QStringLiteral("先开始一课，再单独听词。"));
        return;
    }
    if (m_times.empty()) {
        note(QStringLiteral("这一课没有词的时间，不能单独听一个词。"));
        return;
    }
    const int index = sentenceWordAtCaret(m_sentence, typed, caret);
    const TimedSpan span = timedSpanOf(sentenceWords(m_sentence), m_times, index, around);
    if (span.isEmpty()) {
        note(QStringLiteral("这个词没有时间，不能单独听。"));
        return;
    }
    playTimed(span.first, span.last);
}

void WordPlayer::playWord(const QString& word) {
    const int timed = timedIndexOfWord(m_times, word);
    if (timed >= 0 && playTimed(timed, timed))
        return;
    const words::SoundClip spoken = words::speakWord(word);
    QString error;
    if (spoken.isEmpty() || !m_output.play(spoken, &error)) {
        note(QStringLiteral("无法朗读这个词：%1").arg(error.isEmpty() ? "eSpeak NG" : error));
        return;
    }
    pauseLesson();
}

bool WordPlayer::playTimed(int first, int last) {
    words::SoundClip clip;
    QString error;
    const lessons::TimedWord& from = m_times[size_t(first)];
    const lessons::TimedWord& to = m_times[size_t(last)];
    if (!words::readWordClip(m_recordingFile, from.startMs, to.endMs, m_player.speedPercent(),
                             &clip, &error) ||
        !m_output.play(clip, &error)) {
        note(QStringLiteral("无法播放这个词：%1").arg(error));
        return false;
    }
    pauseLesson();
    return true;
}

// The lesson's track pauses where it is, so the word is heard alone.
void WordPlayer::pauseLesson() {
    const int state = m_player.getState();
    if (state != 0 && state != 2)
        m_player.pauseOrResume();
}

} // namespace hearvex
