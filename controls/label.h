// A label whose caption is read back as state. White text on a transparent
// background; an auto-sizing label takes the width of its caption when it changes.
#pragma once

#include <QLabel>

namespace hearvex::controls {

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr, const QString& caption = {});

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

    void setAutoSize(bool on) { m_autoSize = on; }

private:
    bool m_autoSize = false;
};

} // namespace hearvex::controls
