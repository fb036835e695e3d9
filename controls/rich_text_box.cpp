#include "rich_text_box.h"

#include "control_error.h"
#include "guard.h"
#include "picture_button.h"
#include "text_file.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <algorithm>

namespace hearvex::controls {

using base::runGuarded;

namespace {
// A key that writes into a text: printable text, Backspace or Enter, without
// Ctrl, Alt or Meta (those are commands: Ctrl+C, Ctrl+A, Ctrl+Enter...).
bool isTypingKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        break;
    }
    const QString text = event.text();
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

QString toDocumentBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

RichTextBox::RichTextBox(QWidget* parent)
    : QTextEdit(parent) {
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setTabChangesFocus(false);
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
}

QString RichTextBox::text() const {
    QString plain = toPlainText();
    plain.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return plain;
}

void RichTextBox::setText(const QString& text) {
    const QTextCharFormat insertion = currentCharFormat();
    setPlainText(toDocumentBreaks(text));
    // New text keeps the colour that was set for insertion.
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(insertion);
    setCurrentCharFormat(insertion);
}

void RichTextBox::setMarks(const std::vector<Range>& ranges, const QTextCharFormat& format) {
    const int end = document()->characterCount() - 1;
    QList<QTextEdit::ExtraSelection> marks;
    for (const Range& range : ranges) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(std::clamp(range.start, 0, end));
        mark.cursor.setPosition(std::clamp(range.start + range.length, 0, end),
                                QTextCursor::KeepAnchor);
        mark.format = format;
        marks.append(mark);
    }
    setExtraSelections(marks);
}

void RichTextBox::clearMarks() {
    setExtraSelections({});
}

int RichTextBox::selStart() const {
    return textCursor().selectionStart();
}

void RichTextBox::setSelStart(int offset) {
    if (offset < 0)
        throw ControlError("invalid property value: SelStart " + std::to_string(offset));
    QTextCursor c = textCursor();
    const int end = document()->characterCount() - 1;
    c.setPosition(std::min(offset, end));
    setTextCursor(c);
}

int RichTextBox::selLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void RichTextBox::setSelLength(int length) {
    if (length < 0)
        throw ControlError("invalid property value: SelLength " + std::to_string(length));
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    const int end = document()->characterCount() - 1;
    c.setPosition(start);
    c.setPosition(std::min(start + length, end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString RichTextBox::selText() const {
    QString s = textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return s;
}

void RichTextBox::setSelText(const QString& text) {
    QTextCursor c = textCursor();
    const QTextCharFormat format = c.charFormat();
    c.insertText(toDocumentBreaks(text), format);
    setTextCursor(c);
}

QColor RichTextBox::selColor() const {
    return textCursor().charFormat().foreground().color();
}

void RichTextBox::setSelColor(const QColor& color) {
    QTextCharFormat f;
    f.setForeground(color);
    QTextCursor c = textCursor();
    if (c.hasSelection())
        c.mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

void RichTextBox::takeFocus() {
    if (!isVisible() || !isEnabled())
        throw ControlError("the box cannot take the focus");
    setFocus(Qt::OtherFocusReason);
    activateWindow();
}

int RichTextBox::charFromPos(const QPoint& point) const {
    const QTextDocument* doc = document();
    const int lastChar = doc->characterCount() - 2; // the document ends in a block separator
    if (lastChar < 0)
        return -1;
    const QPointF at(point.x() + horizontalScrollBar()->value(),
                     point.y() + verticalScrollBar()->value());
    QTextBlock block = doc->begin();
    QRectF blockRect;
    for (; block.isValid(); block = block.next()) {
        blockRect = doc->documentLayout()->blockBoundingRect(block);
        if (at.y() < blockRect.bottom() || !block.next().isValid())
            break;
    }
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return std::min(block.position(), lastChar);
    const QPointF local = at - blockRect.topLeft();
    // Below the last line of the text is beyond its end: the last character.
    if (!block.next().isValid() &&
        local.y() >= layout->lineAt(layout->lineCount() - 1).rect().bottom())
        return lastChar;
    QTextLine line = layout->lineAt(layout->lineCount() - 1);
    for (int i = 0; i < layout->lineCount(); ++i) {
        if (local.y() < layout->lineAt(i).rect().bottom()) {
            line = layout->lineAt(i);
            break;
        }
    }
    int inBlock = line.xToCursor(local.x(), QTextLine::CursorOnCharacter);
    // Past the end of a line the line's last character holds the point.
    const int lineEnd = line.textStart() + std::max(line.textLength() - 1, 0);
    inBlock = std::clamp(inBlock, line.textStart(), lineEnd);
    return std::clamp(block.position() + inBlock, 0, lastChar);
}

bool RichTextBox::loadFile(const QString& path) {
    const auto content = text::readDocumentFile(path);
    if (!content) {
        clear();
        return false;
    }
    if (content->isRich)
        setHtml(content->text);
    else // through the document, so the text does not take on the format under the old caret
        document()->setPlainText(content->text);
    moveCursor(QTextCursor::Start);
    return true;
}

void RichTextBox::setMouseMoveHandler(std::function<void(int, int, int, int)> handler) {
    m_mouseMove = std::move(handler);
}

void RichTextBox::keyPressEvent(QKeyEvent* event) {
    RichTextBox* target = m_typingTarget;
    if (!target || !isReadOnly() || !isTypingKey(*event)) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    // The learner typed into the wrong box: the letters land where they were
    // meant to, and the rest of the sentence follows them there.
    target->setFocus(Qt::OtherFocusReason);
    QKeyEvent passed(event->type(), event->key(), event->modifiers(), event->text(),
                     event->isAutoRepeat(), static_cast<quint16>(event->count()));
    QCoreApplication::sendEvent(target, &passed);
    event->accept();
}

bool RichTextBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport() && event->type() == QEvent::MouseMove && m_mouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint at = move->position().toPoint();
        int button = 0;
        if (move->buttons() & Qt::LeftButton)
            button |= kLeftButton;
        if (move->buttons() & Qt::RightButton)
            button |= kRightButton;
        if (move->buttons() & Qt::MiddleButton)
            button |= kMiddleButton;
        runGuarded("box mouse move",
                   [&] { m_mouseMove(button, shiftCode(move->modifiers()), at.x(), at.y()); });
    }
    return QTextEdit::eventFilter(watched, event);
}

} // namespace hearvex::controls
