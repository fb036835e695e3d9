// The rich-text box the exercise and the word lists are shown in.
//
// Text reads line breaks as CR LF and takes CR LF, CR or LF as a break.
// Selection offsets count characters from 0, a line break counting as one.
// SelStart collapses the selection to a caret; SelLength extends it from
// SelStart; SelText replaces it; SelColor colours it (and what is typed next).
#pragma once

#include <QColor>
#include <QPointer>
#include <QTextEdit>
#include <functional>
#include <vector>

namespace hearvex::controls {

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    int selStart() const;
    void setSelStart(int offset); // ControlError below 0; beyond the end goes to the end
    int selLength() const;
    void setSelLength(int length); // ControlError below 0; limited to the end of the text
    QString selText() const;
    void setSelText(const QString& text);
    QColor selColor() const;
    void setSelColor(const QColor& color);

    // Formats ranges of the text (offsets as the selection counts them) over
    // its own formatting, leaving the text, its formatting, what is typed next
    // and the undo history as they are. They stay until new marks or clearMarks.
    struct Range {
        int start = 0;
        int length = 0;
    };
    void setMarks(const std::vector<Range>& ranges, const QTextCharFormat& format);
    void clearMarks();

    QString toolTipText() const { return toolTip(); }
    void setToolTipText(const QString& text) { setToolTip(text); }

    // Takes the keyboard focus; throws ControlError when the box cannot take it.
    void takeFocus();

    // The character whose box holds the point (client pixels), the last one for a
    // point beyond the end; -1 in an empty box.
    int charFromPos(const QPoint& point) const;

    // Loads a file: RTF with its formatting, anything else as plain text. Returns
    // false (leaving the box empty) when the file cannot be read.
    bool loadFile(const QString& path);

    // Pointer movements over the box, in client pixels, with the button and shift codes.
    void setMouseMoveHandler(std::function<void(int button, int shift, int x, int y)> handler);

    // While this box is read-only, what is typed into it (text, Backspace,
    // Enter) goes to target, which takes the focus; shortcuts and movement
    // keys stay with this box. Null: nothing is passed on.
    void setTypingTarget(RichTextBox* target) { m_typingTarget = target; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(int, int, int, int)> m_mouseMove;
    QPointer<RichTextBox> m_typingTarget;
};

} // namespace hearvex::controls
