#include "form1_design.h"
#include "colors.h"

#include "artwork.h"
#include "fonts.h"
#include "twips.h"

#include <QPainter>
#include <utility>

namespace hearvex {

using namespace controls;
using base::kTwipsPerPixel;
using base::twipsRect;

namespace {

template <typename W> W* place(W* widget, const char* name, QRect twipsGeometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twipsGeometry);
    return widget;
}

QString indexedName(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

Label* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                 const QFont& font) {
    auto* label = place(new Label(parent, caption), name, geometry);
    label->setFont(font);
    return label;
}

void styleBox(RichTextBox* box) {
    box->setFont(timesNewRoman(16)); // 12 point on a 96-dpi screen
    box->setFrameShape(QFrame::NoFrame);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, kBackColor);
    pal.setColor(QPalette::Text, Qt::white);
    pal.setColor(QPalette::Highlight, kSelectionColor);
    pal.setColor(QPalette::HighlightedText, Qt::white);
    pal.setColor(QPalette::PlaceholderText, QColor(196, 204, 218)); // grey beside the white text
    box->setPalette(pal);
    box->setStyleSheet(
        QStringLiteral(
            "QTextEdit { background: %1; color: white; border: 1px solid rgb(138,158,192); }")
            .arg(styleColor(kBackColor)));
}

void styleScrollBar(ScrollBar* bar) {
    bar->setStyleSheet(QStringLiteral(
        "QScrollBar:horizontal { background: rgb(64,84,120); border: 1px solid rgb(44,60,92);"
        " height: 9px; margin: 0 9px 0 9px; }"
        "QScrollBar::handle:horizontal { background: qlineargradient(x1:0,y1:0,x2:0,y2:1,"
        " stop:0 rgb(255,230,120), stop:1 rgb(230,170,40)); min-width: 10px; border-radius: 2px; }"
        "QScrollBar::handle:horizontal:disabled { background: rgb(150,164,188); }"
        "QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal { background: "
        "rgb(140,160,196);"
        " width: 9px; subcontrol-origin: margin; border: 1px solid rgb(44,60,92); }"
        "QScrollBar::add-line:horizontal { subcontrol-position: right; }"
        "QScrollBar::sub-line:horizontal { subcontrol-position: left; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"));
}

QFont captionFont() {
    return songTi(12);
}

QFont smallCaptionFont() {
    return songTi(11);
}

PictureButton* makePicture(QWidget* parent, const QString& name, QRect geometry,
                           const QPixmap& picture, const QString& accessibleName) {
    auto* image = new PictureButton(parent);
    image->setObjectName(name);
    image->setGeometry(geometry);
    image->setPicture(picture);
    image->setAccessibleName(accessibleName);
    return image;
}

} // namespace

Form1Design::Form1Design(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Hearvex"));
    setFixedSize(640, 480);
    setAutoFillBackground(false);
    // The pictures explain themselves also while the lesson library or the
    // word lists hold the focus.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    m_background = artwork::mainBackground(640, 480);

    Timer = new controls::Timer(this, 100, false);
    Timer->setObjectName(QStringLiteral("Timer"));
    TimeView = new controls::Timer(this, 0, false);
    TimeView->setObjectName(QStringLiteral("TimeView"));

    // Built in this order, which is the tab order and the stacking order.
    buildDueNote();
    buildTextBoxes();
    buildTrackPanel();
    buildWaveView();
    buildSeekBar();
    buildRepeatPanel();
    buildVolumePanel();
    buildToolbar();
    buildTransportButtons();
    buildRecordNote();
}

void Form1Design::buildDueNote() {
    // In the title strip, under its motto: why F12 started nothing.
    lbDue = makeLabel(this, "lbDue", {}, twipsRect(4500, 780, 4950, 270), songTi(13));
    lbDue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbDue->setAccessibleDescription(QStringLiteral("复习提示"));
}

void Form1Design::buildRecordNote() {
    // In the free strip between the repeat panel and the hint buttons, above
    // both; empty (and so unseen) while the record is written as it should be.
    QWidget* p3 = Picture3->client();
    lbRecord = makeLabel(p3, "lbRecord", {}, twipsRect(0, 3915, 3885, 270), songTi(11));
    lbRecord->setAccessibleDescription(QStringLiteral("练习记录提示"));
    QPalette pal = lbRecord->palette();
    pal.setColor(QPalette::WindowText, QColor(255, 214, 102)); // the record window's warning colour
    lbRecord->setPalette(pal);
    lbRecord->raise();
}

void Form1Design::buildTextBoxes() {
    Picture2 = place(new PictureBox(this), "Picture2", twipsRect(0, 1200, 9615, 6015));
    QWidget* p2 = Picture2->client();
    RichTextBox1[0] = place(new RichTextBox(p2), "RichTextBox1_0", twipsRect(0, 0, 5640, 2940));
    RichTextBox1[1] = place(new RichTextBox(p2), "RichTextBox1_1", twipsRect(0, 2940, 5640, 3015));
    RichTextBox1[0]->setAccessibleName(QStringLiteral("课文听写框"));
    RichTextBox1[1]->setAccessibleName(QStringLiteral("输入框"));
    for (RichTextBox* box : RichTextBox1)
        styleBox(box);
}

// Picture3, right of the boxes: the decoration, the hidden path, the time,
// the track's name, the speed, the output and the score.
void Form1Design::buildTrackPanel() {
    Picture3 =
        place(new PictureBox(Picture2->client()), "Picture3", twipsRect(5640, 0, 3930, 5955));
    QWidget* p3 = Picture3->client();

    Image1 = makePicture(p3, QStringLiteral("Image1"), twipsRect(120, 600, 3735, 2445),
                         artwork::decoration(249, 163), QStringLiteral("装饰图：耳机与声波"));
    Image1->setCursor(Qt::ArrowCursor);
    // The path of the track to open is written by code, never typed: it stays
    // in its place under the picture, out of the learner's way.
    txtFile = place(new QLineEdit(p3), "txtFile", twipsRect(3480, 840, 6255, 270));
    txtFile->setAccessibleName(QStringLiteral("文件路径"));
    txtFile->setFocusPolicy(Qt::NoFocus);
    txtFile->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %1; border: none; }")
                               .arg(styleColor(kBackColor)));
    txtFile->stackUnder(Image1);

    const QFont font = captionFont();
    lbPlayTime = makeLabel(p3, "lbPlayTime", {}, twipsRect(0, 0, 615, 255), font);
    lbPlayTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label10 = makeLabel(p3, "Label10", QStringLiteral("/"), twipsRect(720, 0, 135, 255), font);
    Label10->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label10->setAutoSize(true);
    lbTotalSec = makeLabel(p3, "lbTotalSec", {}, twipsRect(840, 0, 615, 255), font);
    lbTotalSec->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lbTrackName = makeLabel(p3, "lbTrackName", {}, twipsRect(0, 360, 1455, 255), font);
    lbTrackName->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // The speed sits in the picture's empty top-left corner, under the time;
    // the score in the free corner beside the bottom of the typing box.
    lbSpeed = makeLabel(p3, "lbSpeed", {}, twipsRect(180, 660, 675, 255), font);
    lbSpeed->setAccessibleDescription(QStringLiteral("播放速度"));
    lbOutput = makeLabel(p3, "lbOutput", {}, twipsRect(870, 660, 1215, 255), font);
    lbOutput->setAccessibleDescription(QStringLiteral("声音输出"));
    lbScore = makeLabel(p3, "lbScore", {}, twipsRect(45, 5460, 990, 300), font);
    lbScore->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    lbScore->setAccessibleDescription(QStringLiteral("逐词比较得分"));
}

void Form1Design::buildWaveView() {
    picWaveFrm =
        place(new PictureBox(Picture3->client(), 1), "picWaveFrm", twipsRect(1575, 0, 2295, 615));
    picWaveFrm->setBackColor(Qt::black);
    picWave = place(new DrawingBox(picWaveFrm->client()), "picWave", twipsRect(0, 0, 2265, 555));
    picWave->setAccessibleName(QStringLiteral("波形与频谱"));
    picWave->setBackColor(Qt::black); // the design's window-text colour
    lineCenter = new LineControl(picWave, -120, 270, 2200, 270, QColor(58, 110, 165));
    lineCenter->setObjectName(QStringLiteral("lineCenter"));
    lineCenter->setVisible(false);
}

void Form1Design::buildSeekBar() {
    scSeek = place(new ScrollBar(Picture3->client()), "scSeek", twipsRect(0, 3000, 3855, 135));
    scSeek->setMin(0);
    scSeek->setMax(0);
    scSeek->setSmallChange(1);
    scSeek->setLargeChange(1);
    scSeek->setAccessibleName(QStringLiteral("播放位置"));
    scSeek->setToolTip(QStringLiteral("播放位置：拖动或点击跳到别处（F3 后退3秒，F4 前进3秒）"));
    styleScrollBar(scSeek);
}

// Picture4, under the seek bar: the A-B repeat's buttons and its two ends.
void Form1Design::buildRepeatPanel() {
    Picture4 = place(new PictureBox(Picture3->client()), "Picture4", twipsRect(0, 3120, 3885, 975));
    QWidget* p4 = Picture4->client();
    Timer1 = new controls::Timer(Picture4, 50, true);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    const QString buttonCaptions[3] = {QStringLiteral("复读起始位置"),
                                       QStringLiteral("复读结束位置"), repeat::kRepeatOff};
    const QRect buttonPlaces[3] = {twipsRect(0, 0, 1335, 375), twipsRect(1320, 0, 1455, 375),
                                   twipsRect(2760, 0, 1095, 375)};
    for (int i = 0; i < 3; ++i) {
        xpcmdbutton1[i] = new CommandButton(p4, buttonCaptions[i]);
        xpcmdbutton1[i]->setObjectName(indexedName("xpcmdbutton1", i));
        xpcmdbutton1[i]->setGeometry(buttonPlaces[i]);
        xpcmdbutton1[i]->setFont(interfaceFont(12));
    }
    Label1[0] = makeLabel(p4, "Label1_0", QStringLiteral("复读起始："), twipsRect(0, 600, 900, 180),
                          smallCaptionFont());
    Label1[1] = makeLabel(p4, "Label1_1", QStringLiteral("复读结束："),
                          twipsRect(1920, 600, 900, 180), smallCaptionFont());
    Label1[0]->setAutoSize(true);
    Label1[1]->setAutoSize(true);
}

// Picture1, at the bottom of Picture3: the channel volumes (its buttons come
// with the toolbar).
void Form1Design::buildVolumePanel() {
    Picture1 =
        place(new PictureBox(Picture3->client()), "Picture1", twipsRect(0, 4200, 3840, 1215));
    QWidget* p1 = Picture1->client();
    Label3 = makeLabel(p1, "Label3", QStringLiteral("左声道"), twipsRect(1560, 720, 540, 180),
                       songTi(10));
    scLVol = place(new ScrollBar(p1), "scLVol", twipsRect(2280, 720, 1575, 135));
    Label1[2] = makeLabel(p1, "Label1_2", QStringLiteral("右声道"), twipsRect(1560, 870, 540, 180),
                          songTi(10));
    scRVol = place(new ScrollBar(p1), "scRVol", twipsRect(2280, 870, 1575, 135));
    for (ScrollBar* bar : {scLVol, scRVol}) {
        bar->setMin(0);
        bar->setMax(100);
        bar->setLargeChange(20);
        bar->setValue(100);
        styleScrollBar(bar);
    }
    scLVol->setAccessibleName(QStringLiteral("左声道音量"));
    scRVol->setAccessibleName(QStringLiteral("右声道音量"));
    Label3->setAutoSize(true);
    Label1[2]->setAutoSize(true);
}

// The picture buttons Image2, in Picture3 and Picture1.
void Form1Design::buildToolbar() {
    QWidget* p3 = Picture3->client();
    QWidget* p1 = Picture1->client();
    struct ToolbarItem {
        int index;
        QWidget* panel;
        QRect place;
        QString words;
        QPixmap picture;
    };
    const ToolbarItem toolbar[] = {
        {0, p3, twipsRect(1080, 5400, 795, 435), QStringLiteral("词典"),
         artwork::wordButton(QStringLiteral("词典"), 53, 29)},
        {1, p3, twipsRect(2040, 5400, 810, 435), QStringLiteral("帮助"),
         artwork::wordButton(QStringLiteral("帮助"), 54, 29)},
        {2, p3, twipsRect(3000, 5400, 750, 420), QStringLiteral("返回"),
         artwork::wordButton(QStringLiteral("返回"), 50, 28)},
        {3, p1, twipsRect(0, 120, 1275, 360), QStringLiteral("关键字提示"),
         artwork::wordButton(QStringLiteral("关键字提示"), 85, 24)},
        {4, p1, twipsRect(1320, 120, 1275, 360), QStringLiteral("全英文提示"),
         artwork::wordButton(QStringLiteral("全英文提示"), 85, 24)},
        {6, p1, twipsRect(2640, 120, 1170, 360), QStringLiteral("错误记录"),
         artwork::wordButton(QStringLiteral("错误记录"), 78, 24)},
        {7, p1, twipsRect(1080, 765, 225, 225), QStringLiteral("下一课"),
         artwork::arrowButton(true, 15)},
        {8, p1, twipsRect(480, 720, 480, 315), QStringLiteral("课文库"),
         artwork::cassetteButton(32, 21)},
        {9, p1, twipsRect(120, 765, 225, 225), QStringLiteral("上一课"),
         artwork::arrowButton(false, 15)},
    };
    for (const ToolbarItem& item : toolbar)
        Image2[item.index] = makePicture(item.panel, indexedName("Image2", item.index), item.place,
                                         item.picture, item.words);
    // What each picture does, with its key where it has one (docs/tooltips.md lists them all).
    const std::pair<int, QString> toolbarTips[] = {
        {0, QStringLiteral("词典：打开词表窗口")},
        {1, QStringLiteral("帮助：打开使用说明")},
        {2, QStringLiteral("返回：退出程序")},
        {3, QStringLiteral("关键字提示：按下后，鼠标停在 * 号单词上即显示该词；再按一下关闭")},
        {4, QStringLiteral("全英文提示：显示整句原文，再按一下重新遮住（F8）")},
        {6, QStringLiteral("错误记录：检查输入的句子，写对的单词显示出来（Ctrl+Enter）")},
        {7, QStringLiteral("下一课：开始下一篇课文（Ctrl+PageDown）")},
        {8, QStringLiteral("课文库：打开课文列表，双击课文开始听写（Ctrl+L：用键盘选课）")},
        {9, QStringLiteral("上一课：开始上一篇课文（Ctrl+PageUp）")},
    };
    for (const auto& [index, tip] : toolbarTips)
        Image2[index]->setToolTip(tip);
}

// Image3, the strip of small pictures on the decoration: 10 s and 20 s back,
// play, pause.
void Form1Design::buildTransportButtons() {
    const struct {
        QRect place;
        QPixmap picture;
        QString name;
        QString toolTip;
    } strip[4] = {
        {twipsRect(1440, 1500, 225, 165), artwork::repeatBackButton(10, 15, 11),
         QStringLiteral("10秒复读"), QStringLiteral("10秒复读：反复播放刚听过的10秒")},
        {twipsRect(1800, 1500, 225, 165), artwork::repeatBackButton(20, 15, 11),
         QStringLiteral("20秒复读"), QStringLiteral("20秒复读：反复播放刚听过的20秒")},
        {twipsRect(2145, 1500, 240, 150), artwork::playButton(16, 10), QStringLiteral("播放"),
         QStringLiteral("播放：从头播放录音（F5）；暂停时接着播放")},
        {twipsRect(2430, 1500, 240, 150), artwork::pauseButton(16, 10), QStringLiteral("暂停/继续"),
         QStringLiteral("暂停 / 继续（Esc；按 Esc 继续时先退回2秒）")},
    };
    for (int i = 0; i < 4; ++i) {
        Image3[i] = makePicture(Picture3->client(), indexedName("Image3", i), strip[i].place,
                                strip[i].picture, strip[i].name);
        Image3[i]->setToolTip(strip[i].toolTip);
    }
}

int Form1Design::picWaveFrmScaleWidth() const {
    return picWaveFrm->scaleWidthPixels() * kTwipsPerPixel;
}

player::PlayerControls Form1Design::playerControls() const {
    return {Timer,  lbPlayTime, lbTotalSec, lbTrackName, txtFile,
            scSeek, scLVol,     scRVol,     lbSpeed,     lbOutput};
}

view::ViewControls Form1Design::viewControls() const {
    return {TimeView, picWave, lineCenter, picWaveFrmScaleWidth()};
}

repeat::RepeatControls Form1Design::repeatControls() const {
    return {Timer1, xpcmdbutton1, {Label1[0], Label1[1]}, Image3};
}

exercise::ExerciseControls Form1Design::exerciseControls() const {
    return {RichTextBox1, Image2[3], Image2[4], lbScore};
}

ToolbarControls Form1Design::toolbarControls() const {
    ToolbarControls toolbar{Image2};
    toolbar.Image2[3] = nullptr;
    toolbar.Image2[4] = nullptr;
    return toolbar;
}

void Form1Design::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
}

} // namespace hearvex
