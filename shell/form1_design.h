// The main window as designed: every control in its container, at its place,
// with its captions, fonts and colours. Behaviour is wired in by the parts;
// this class only builds the window and hands each part its own controls.
// Controls keep their design names; an array item's objectName is name_index.
//
// Each control has one owner, the only part that writes it:
//
// | control                                          | owner              |
// |--------------------------------------------------|--------------------|
// | Timer, lbPlayTime, lbTotalSec, lbTrackName,      | player             |
// |   txtFile, scSeek, scLVol, scRVol, lbSpeed,      |                    |
// |   lbOutput                                       |                    |
// | TimeView, picWave, lineCenter                    | view               |
// | Timer1, xpcmdbutton1(0..2), Label1(0..1),        | repeat             |
// |   Image3(0..3)                                   |                    |
// | RichTextBox1(0..1), Image2(3), Image2(4),        | exercise           |
// |   lbScore                                        |                    |
// | Image2(0..2, 6..9)                               | toolbar (shell)    |
// | lbDue                                            | due lessons (shell)|
// | lbRecord                                         | practice recorder  |
// |                                                  |   (shell)          |
// | cmdShadow (made by its owner, on the window)     | shadowing (shell)  |
// | Picture1..4, picWaveFrm, Image1, Label1(2),      | this design; fixed |
// |   Label3, Label10                                |   once built       |
//
// Other parts ask the owner by a named operation (Player::moveBarTo,
// Repeat::switchOff, Exercise::setFullText, WaveView::setRunning, ...).
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <array>

#include "exercise_controls.h"
#include "label.h"
#include "picture_box.h"
#include "player_controls.h"
#include "repeat_controls.h"
#include "toolbar.h"
#include "view_controls.h"

namespace hearvex {

// The window's controls, as designed.
struct Form1Controls {
    // Timers
    controls::Timer* Timer = nullptr;    // status tick, 100 ms, off at start
    controls::Timer* TimeView = nullptr; // view tick; its interval is set at load
    controls::Timer* Timer1 = nullptr;   // repeat check, 50 ms, always on

    // Controls, by container
    controls::PictureBox* Picture2 = nullptr;
    std::array<controls::RichTextBox*, 2> RichTextBox1{}; // 0 exercise box, 1 typing box
    controls::PictureBox* Picture3 = nullptr;
    controls::Label* lbPlayTime = nullptr;
    controls::Label* Label10 = nullptr;
    controls::Label* lbTotalSec = nullptr;
    controls::Label* lbTrackName = nullptr;
    controls::Label* lbSpeed = nullptr;  // the playing speed beside the time, empty at 1.0x
    controls::Label* lbOutput = nullptr; // "无声音设备" while playing without a sound device
    controls::Label* lbScore = nullptr;  // the aligned compare's score "N/M"
    controls::Label* lbDue = nullptr;    // in the title strip: why F12 started nothing
    controls::Label* lbRecord = nullptr; // above the hint buttons: the record cannot be written
    controls::PictureBox* picWaveFrm = nullptr;
    controls::DrawingBox* picWave = nullptr;
    controls::LineControl* lineCenter = nullptr;
    controls::PictureButton* Image1 = nullptr;
    QLineEdit* txtFile = nullptr;
    controls::ScrollBar* scSeek = nullptr;
    controls::PictureBox* Picture4 = nullptr;
    std::array<controls::CommandButton*, 3> xpcmdbutton1{};
    std::array<controls::Label*, 3> Label1{};
    controls::PictureBox* Picture1 = nullptr;
    controls::Label* Label3 = nullptr;
    controls::ScrollBar* scLVol = nullptr;
    controls::ScrollBar* scRVol = nullptr;
    std::array<controls::PictureButton*, 10> Image2{}; // item 5 does not exist
    std::array<controls::PictureButton*, 4> Image3{};
};

// The controls are a base rather than a member, so that the design code and
// the window itself name them by their design names; outside the window only
// controls() reaches them.
class Form1Design : public QWidget, protected Form1Controls {
    Q_OBJECT
public:
    explicit Form1Design(QWidget* parent = nullptr);

    // The controls, for tests that look at them or act on them as the learner does.
    const Form1Controls& controls() const { return *this; }

    // The inner width of picWaveFrm in twips (its scale width).
    int picWaveFrmScaleWidth() const;

protected:
    // Each part's own controls, handed to the part that owns them.
    player::PlayerControls playerControls() const;
    view::ViewControls viewControls() const;
    repeat::RepeatControls repeatControls() const;
    exercise::ExerciseControls exerciseControls() const;
    ToolbarControls toolbarControls() const;

    void paintEvent(QPaintEvent* event) override;

private:
    // One container or group of controls each, called in the design's order.
    void buildDueNote();
    void buildTextBoxes();
    void buildTrackPanel();
    void buildWaveView();
    void buildSeekBar();
    void buildRepeatPanel();
    void buildVolumePanel();
    void buildToolbar();
    void buildTransportButtons();
    void buildRecordNote();

    QPixmap m_background;
};

} // namespace hearvex
