#include "form4.h"
#include "colors.h"

#include "artwork.h"
#include "fonts.h"
#include "guard.h"
#include "twips.h"

#include <QEvent>

namespace hearvex {

using base::twipsRect;

namespace {
controls::Label* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect place,
                           const QFont& font) {
    auto* label = new controls::Label(parent, caption);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}
} // namespace

Form4::Form4(QWidget* parent)
    // A splash screen to the desktop: shown before the main window exists,
    // yet no taskbar entry of its own.
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Hearvex"));
    setFixedSize(base::twipsToPixels(5730), base::twipsToPixels(3825));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* Frame1 = m_controls.Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(110, 0, 5535, 3735));
    Frame1->setStyleSheet(QStringLiteral("QFrame#Frame1 { border: 1px solid %1; }")
                              .arg(controls::styleColor(controls::kBackColor)));

    auto* Image1 = m_controls.Image1 = new controls::PictureButton(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Hearvex"));
    Image1->setGeometry(twipsRect(240, 480, 480, 480));
    Image1->setPicture(controls::artwork::programIcon(32));
    Image1->setCursor(Qt::ArrowCursor);

    // 宋体 26.25 pt and 14.25 pt bold at 96 dpi.
    m_controls.Label1 = makeLabel(Frame1, "Label1", familyTitle(), twipsRect(720, 1320, 3975, 855),
                                  controls::songTi(35, true));
    m_controls.Label2 = makeLabel(Frame1, "Label2", QStringLiteral("——Hearvex"),
                                  twipsRect(2280, 2160, 2655, 495), controls::songTi(19, true));
    m_controls.Label3 = makeLabel(Frame1, "Label3", creditLine(), twipsRect(4200, 3360, 1215, 375),
                                  controls::songTi(12));

    m_controls.Timer1 = new controls::Timer(this, 1000, false);
    m_controls.Timer1->setObjectName(QStringLiteral("Timer1"));
    m_controls.Timer1->setTickHandler([this] { Timer1_Timer(); });
}

bool Form4::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void Form4::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A desktop that never activates the splash would leave the program on it
    // for good: being shown starts the timer as well.
    Form_Activate();
}

void Form4::Timer1_Timer() {
    // One tick only, even if a step of the handler fails.
    base::skipOnError([this] { m_controls.Timer1->setEnabled(false); });
    if (m_timeUp)
        m_timeUp();
}

void Form4::Form_Activate() {
    base::skipOnError([this] { m_controls.Timer1->setEnabled(true); });
}

} // namespace hearvex
