// A command button whose caption is read back as state (the repeat switch is on
// exactly while its caption says so). Drawn flat in the program's blue-grey theme.
#pragma once

#include <QPushButton>
#include <functional>

namespace hearvex::controls {

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr, const QString& caption = {});

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

    void setClickHandler(std::function<void()> handler) { m_clickHandler = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_clickHandler;
};

} // namespace hearvex::controls
