// The main window as designed: every control in its container, at its place,
// with its captions, fonts and colours. Behaviour is wired in by the player,
// repeat, view, exercise and shell code; this class only builds the window.
// Controls keep their design names; an array item's objectName is name_index.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <array>

#include "command_button.h"
#include "drawing_box.h"
#include "label.h"
#include "picture_box.h"
#include "picture_button.h"
#include "rich_text_box.h"
#include "scroll_bar.h"
#include "timer.h"

namespace hearvex::ui {

inline const QColor kBackColor{102, 126, 162};

// The repeat switch's captions: repeat is on exactly while the caption reads kRepeatOn.
inline const QString kRepeatOff = QStringLiteral("开始复读");
inline const QString kRepeatOn = QStringLiteral("停止复读");

class Form1Design : public QWidget {
    Q_OBJECT
public:
    explicit Form1Design(QWidget* parent = nullptr);

    // Timers
    ui::Timer* Timer = nullptr;    // status tick, 100 ms, off at start
    ui::Timer* TimeView = nullptr; // view tick; its interval is set at load
    ui::Timer* Timer1 = nullptr;   // repeat check, 50 ms, always on

    // Controls, by container
    PictureBox* Picture2 = nullptr;
    std::array<RichTextBox*, 2> RichTextBox1{}; // 0 exercise box, 1 typing box
    PictureBox* Picture3 = nullptr;
    Label* lbPlayTime = nullptr;
    Label* Label10 = nullptr;
    Label* lbTotalSec = nullptr;
    Label* lbTrackName = nullptr;
    PictureBox* picWaveFrm = nullptr;
    DrawingBox* picWave = nullptr;
    LineControl* lineCenter = nullptr;
    PictureButton* Image1 = nullptr;
    QLineEdit* txtFile = nullptr;
    ScrollBar* scSeek = nullptr;
    PictureBox* Picture4 = nullptr;
    std::array<CommandButton*, 3> xpcmdbutton1{};
    std::array<Label*, 3> Label1{};
    PictureBox* Picture1 = nullptr;
    Label* Label3 = nullptr;
    ScrollBar* scLVol = nullptr;
    ScrollBar* scRVol = nullptr;
    std::array<PictureButton*, 10> Image2{}; // item 5 does not exist
    std::array<PictureButton*, 4> Image3{};

    // The inner width of picWaveFrm in twips (its scale width).
    int picWaveFrmScaleWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_background;
};

} // namespace hearvex::ui
