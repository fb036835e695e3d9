#include "form2.h"
#include "colors.h"

#include "fonts.h"
#include "form2_artwork.h"
#include "guard.h"
#include "twips.h"
#include "word_lists.h"

#include <QFileInfo>
#include <QPainter>

namespace hearvex::wordlists {

using base::twipsRect;

Form2::Form2(const QString& programDir, QWidget* owner)
    // A tool window of the main window: no taskbar entry of its own.
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , m_programDir(programDir) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("词典"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(354, 470); // 5310 x 7050 twips

    auto* Image1 = m_controls.Image1 = new controls::PictureButton(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(5040, 0, 195, 195));
    Image1->setPicture(artwork::closePicture(Image1->width()));
    Image1->setToolTip(QStringLiteral("关闭"));
    Image1->setAccessibleName(QStringLiteral("关闭"));
    Image1->setClickHandler([this] { Image1_Click(); });

    auto* Combo1 = m_controls.Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setAccessibleName(QStringLiteral("词表"));
    Combo1->setGeometry(twipsRect(0, 360, 5295, 300));
    Combo1->setFont(controls::songTi(12));
    Combo1->addItems(wordListNames());
    // A pick fires even when the same list is picked again, like the drop-down's Click.
    connect(Combo1, &QComboBox::activated, this,
            [this] { base::runGuarded("Combo1 click", [this] { Combo1_Click(); }); });

    auto* RichTextBox1 = m_controls.RichTextBox1 = new controls::RichTextBox(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setAccessibleName(QStringLiteral("词表内容"));
    RichTextBox1->setGeometry(twipsRect(0, 720, 5295, 6255));
    RichTextBox1->setFont(controls::songTi(12)); // 9 point
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPalette pal = RichTextBox1->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    RichTextBox1->setPalette(pal);
}

void Form2::Form_Load() {
    if (!(windowFlags() & Qt::WindowStaysOnTopHint)) {
        const bool shown = isVisible(); // changing the flags hides a shown window
        setWindowFlag(Qt::WindowStaysOnTopHint);
        if (shown)
            show();
    }
    m_controls.Combo1->setCurrentIndex(0);
    showList(0);
}

void Form2::Combo1_Click() {
    showList(m_controls.Combo1->currentIndex());
}

void Form2::Image1_Click() {
    close();
}

void Form2::showList(int position) {
    const QString path = wordListPath(m_programDir, position);
    if (QFileInfo(path).size() > kMaxWordListBytes) {
        m_controls.RichTextBox1->setText(tooLargeNote());
        return;
    }
    // A missing or unreadable list leaves the box empty.
    m_controls.RichTextBox1->loadFile(path);
}

void Form2::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), controls::kBackColor);
    if (m_title.isNull())
        m_title = artwork::dictionaryTitle(width(), 26); // 5310 x 390 twips
    p.drawPixmap(0, 0, m_title);
}

} // namespace hearvex::wordlists
