#include "label.h"

namespace hearvex::controls {

Label::Label(QWidget* parent, const QString& caption)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setText(caption);
    setAccessibleName(caption);
}

void Label::setCaption(const QString& caption) {
    // The status tick sets the time ten times a second; an unchanged caption
    // would still tell every screen reader its name changed.
    if (caption != text() || caption != accessibleName()) {
        setText(caption);
        setAccessibleName(caption);
    }
    if (m_autoSize)
        resize(fontMetrics().horizontalAdvance(caption), height());
}

} // namespace hearvex::controls
