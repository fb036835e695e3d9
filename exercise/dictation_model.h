// The dictation as plain data: the lesson's sentence, what the exercise box
// shows (the sentence masked, with the words a check uncovered, or the whole
// sentence while the full-text hint is on), the selection a check leaves, and
// the two hint switches. The window writes the box from it after each change
// and never reads the box back.
#pragma once

#include "dictation.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::exercise {

// A selection in the exercise box, as offsets from 0.
struct BoxSelection {
    int start = 0;
    int length = 0;
    bool operator==(const BoxSelection&) const = default;
};

// What a check found: the slots it uncovered of the sentence's words.
struct CheckOutcome {
    int uncovered = 0;
    int words = 0;           // the sentence's non-empty slots
    QStringList missedWords; // the sentence's words left masked, in order
};

class DictationModel {
public:
    // Takes a lesson's text. A blank text (nothing or spaces) starts nothing:
    // the box shows that text and the previous sentence stays in force; returns
    // false. Otherwise the sentence is the first line, shown masked, both hint
    // switches released, the caret at the start.
    bool start(const QString& lessonText);

    // Masks the box afresh (a space added when it does not end with one) and
    // uncovers each slot whose typed word matches; the full-text switch is
    // released. The last compared slot is left selected.
    CheckOutcome check(const QString& typedText);

    // The full-text hint: on shows the sentence; off masks what the box shows.
    void setFullText(bool shown);
    bool fullTextShown() const { return m_fullText; }

    void setKeywordHint(bool on) { m_keywordHint = on; }
    bool keywordHintOn() const { return m_keywordHint; }

    // Whether a lesson with a sentence has started.
    bool started() const { return m_started; }
    // The exercise sentence: the first line of the last non-blank lesson text.
    const QString& sentence() const { return m_sentence; }
    // The lesson text last given, blank or not.
    const QString& lessonText() const { return m_lessonText; }

    // What the exercise box shows, and its selection.
    const QString& shownText() const { return m_shown; }
    BoxSelection selection() const { return m_selection; }

private:
    QString m_lessonText;
    QString m_sentence;
    QString m_shown;
    BoxSelection m_selection;
    bool m_fullText = false;
    bool m_keywordHint = false;
    bool m_started = false;
};

} // namespace hearvex::exercise
