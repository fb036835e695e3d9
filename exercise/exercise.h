// The dictation exercise of the main window, the glue between the dictation
// model and the controls it owns: the exercise box shows the lesson's sentence
// masked, the learner types into the typing box, and the check uncovers every
// word typed correctly in its place. It alone writes both boxes (their text,
// selection, pointer handlers and the exercise box's tooltip), the two hint
// switches, whose border style shows their state (1 while pressed), and the
// compare's score.
#pragma once

#include "attempt_result.h"
#include "dictation_model.h"
#include "exercise_controls.h"
#include "miss_pairs.h"
#include "word_facts.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

namespace hearvex::exercise {

class Exercise : public QObject {
    Q_OBJECT
public:
    // Makes the exercise box read-only to the learner (still selectable): its
    // text must stay aligned with the sentence character for character. What
    // is typed into it goes to the typing box. Until the first lesson both
    // boxes show a grey hint on where to start.
    explicit Exercise(const ExerciseControls& controls);
    ~Exercise() override;
    Exercise(const Exercise&) = delete;
    Exercise& operator=(const Exercise&) = delete;

    // The exercise's part of the window's load handler.
    void Form_Load();

    // Builds the exercise from a lesson's text: the first line masked, the
    // typing box emptied and focused, both switches released. A blank text is
    // shown as it is and changes nothing else; the previous sentence stays.
    void startSentence(const QString& lessonText);

    // Masks the exercise box afresh, uncovers each slot whose typed word
    // matches and releases the full-text switch. The last compared slot stays
    // selected.
    void check();

    // The aligned compare, beside the check: scores the typed words against
    // the sentence word by word (lbScore "N/M", the missed words in its
    // tooltip) and marks the typed words that found no place. Any change of
    // the typed text, and the next lesson, clear it.
    void compareAligned();
    void clearComparison();

    // What the kinds of miss ask of the dictionary; without it (no dictionary
    // beside the program) the kinds that need one are not found.
    void setWordFacts(WordFacts facts) { m_facts = std::move(facts); }
    // F9: the aligned compare. Pressed again while it stands: the whole
    // sentence in the exercise box, its words missed or written wrong marked
    // as the typed ones are, and the score's tooltip with the kind of each
    // miss shown; once more, masked again.
    void compareOrShowMisses();
    // A compare made, and the typed text unchanged since.
    bool comparisonStands() const { return m_comparison.has_value(); }

    // The typing box takes the keyboard focus (its window is activated by its owner).
    void focusTypingBox();
    // What is typed (line breaks as CR LF) and where the typing box's caret
    // stands in it: the word there is looked up and heard alone.
    QString typedText() const;
    int typingCaret() const;
    // What a double-click on a word opens (the look-up): called with the
    // box's text and the offset clicked in it, for a word of the exercise box
    // (a masked one reads as no word) or, once the typed words are compared,
    // of the typing box.
    void setWordOpener(std::function<void(const QString& text, int offset)> open) {
        m_openWord = std::move(open);
    }

    // The full-text hint: the whole sentence shown, or masked again.
    void setFullText(bool shown);
    bool fullTextShown() const { return m_model.fullTextShown(); }
    void toggleFullText() { setFullText(!fullTextShown()); }

    // The keyword hint's switch: while on, the exercise box's tooltip is the
    // sentence's word under the pointer.
    bool keywordHintOn() const { return m_model.keywordHintOn(); }
    void toggleKeywordHint();

    // The exercise sentence: the first line of the lesson text.
    const QString& answerText() const { return m_model.sentence(); }
    // The lesson text last given.
    const QString& lessonText() const { return m_model.lessonText(); }

    // How a pointer movement puts the window's pointer back to its default.
    void setPointerReset(std::function<void()> reset) { m_resetPointer = std::move(reset); }

    // A pointer movement over box index (0 exercise box, 1 typing box), at
    // x, y in pixels of the box's viewport: sets or clears the keyword hint.
    void RichTextBox1_MouseMove(int index, int button, int shift, int x, int y);
    // The word of the sentence under the point of the exercise box, or "".
    QString wordAtPoint(int x, int y) const;

signals:
    // After every check and every compare of a lesson's sentence.
    void attemptMade(const hearvex::exercise::AttemptResult& result);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes the exercise box and the switches from the model.
    void showModel();
    void whitenBoxes();
    void setHint(const QString& word, int sourceIndex, int x, int y);
    // The standing compare's missed words marked in the exercise box while it
    // shows the whole sentence; no marks otherwise.
    void markMisses();
    void showMissesTip();
    std::vector<WordMiss> checkedMisses(const QString& typed, const QStringList& missed) const;

    ExerciseControls m_controls;
    DictationModel m_model;
    QMetaObject::Connection m_typingChanged;
    std::function<void()> m_resetPointer;
    std::function<void(const QString&, int)> m_openWord;
    QString m_hint; // the exercise box's tooltip as last set
    WordFacts m_facts;
    struct Comparison {
        WordAlignment alignment;
        std::vector<ComparedPair> pairs;
    };
    std::optional<Comparison> m_comparison;
};

} // namespace hearvex::exercise
