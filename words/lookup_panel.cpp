#include "lookup_panel.h"
#include "panel_texts.h"

#include "colors.h"
#include "fonts.h"
#include "guard.h"
#include "picture_button.h"
#include "tool_window_artwork.h"

#include <QKeyEvent>
#include <QPainter>

namespace hearvex::words {

namespace {

constexpr int kWidth = 340;
constexpr int kHeight = 330;
constexpr int kTitleHeight = 26;
constexpr int kMargin = 10;

QLabel* label(QWidget* parent, const char* name, const QFont& font, const QRect& place) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(font);
    l->setGeometry(place);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    return l;
}

// The title strip with a magnifying glass at its left.
QPixmap lookupTitle(int width, int height) {
    QPixmap pixmap = controls::artwork::toolWindowTitle(
        width, height, 32, QStringLiteral("Look up"), QStringLiteral("查词"));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 230, 120), 2.0));
    p.setBrush(QColor(250, 246, 230, 60));
    const qreal r = height * 0.22;
    const QPointF centre(14, height * 0.45);
    p.drawEllipse(centre, r, r);
    p.drawLine(centre + QPointF(r * 0.7, r * 0.7), centre + QPointF(r * 1.7, r * 1.7));
    return pixmap;
}

} // namespace

LookupPanel::LookupPanel(QWidget* owner)
    // A tool window of the main window: no taskbar entry of its own.
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("LookupPanel"));
    setWindowTitle(QStringLiteral("查词"));
    setProperty("closesOnEscape", true);
    setFixedSize(kWidth, kHeight);
    buildControls();
}

void LookupPanel::buildControls() {
    auto* close = m_controls.cmdClose = new controls::PictureButton(this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setGeometry(kWidth - 16, 0, 13, 13);
    close->setPicture(controls::artwork::closePicture(13));
    close->setToolTip(QStringLiteral("关闭（Esc）"));
    close->setAccessibleName(QStringLiteral("关闭"));
    close->setClickHandler([this] { this->close(); });

    const int inner = kWidth - 2 * kMargin;
    m_controls.lbWord = label(this, "lbWord", controls::timesNewRoman(26),
                              QRect(kMargin, kTitleHeight + 6, inner - 90, 34));
    m_controls.lbWord->setAccessibleName(QStringLiteral("单词"));
    auto* playButton = m_controls.cmdPlay = new QPushButton(QStringLiteral("▶ 听"), this);
    playButton->setObjectName(QStringLiteral("cmdPlay"));
    playButton->setFont(controls::interfaceFont(13));
    playButton->setGeometry(kWidth - kMargin - 80, kTitleHeight + 8, 80, 28);
    playButton->setToolTip(QStringLiteral("听这个词（空格或回车）"));
    connect(playButton, &QPushButton::clicked, this, [this] { play(); });
    m_controls.lbIpa = label(this, "lbIpa", controls::interfaceFont(15),
                             QRect(kMargin, kTitleHeight + 42, inner, 22));
    m_controls.lbIpa->setAccessibleName(QStringLiteral("读音"));
    m_controls.lbLemma = label(this, "lbLemma", controls::interfaceFont(13),
                               QRect(kMargin, kTitleHeight + 66, inner, 20));
    m_controls.lbForms = label(this, "lbForms", controls::interfaceFont(13),
                               QRect(kMargin, kTitleHeight + 86, inner, 20));
    m_controls.lbBand = label(this, "lbBand", controls::interfaceFont(13),
                              QRect(kMargin, kTitleHeight + 106, inner - 116, 20));
    auto* glosses = m_controls.txtGlosses = new QTextEdit(this);
    glosses->setObjectName(QStringLiteral("txtGlosses"));
    glosses->setAccessibleName(QStringLiteral("释义"));
    glosses->setReadOnly(true);
    glosses->setFocusPolicy(Qt::ClickFocus);
    glosses->setFont(controls::songTi(14));
    glosses->setGeometry(kMargin, kTitleHeight + 132, inner, kHeight - kTitleHeight - 142);
    buildKeepButton();
}

void LookupPanel::showEntry(const WordEntry& entry) {
    m_entry = entry;
    const PanelTexts texts = panelTexts(entry);
    m_controls.lbWord->setText(texts.word);
    m_controls.lbIpa->setText(texts.ipa);
    m_controls.lbLemma->setText(texts.lemma);
    m_controls.lbForms->setText(texts.forms);
    m_controls.lbBand->setText(texts.band);
    m_controls.txtGlosses->setPlainText(texts.glosses);
    m_controls.cmdPlay->setEnabled(!entry.word.isEmpty());
    present();
}

void LookupPanel::showNote(const QString& note) {
    m_entry = {};
    for (QLabel* l : {m_controls.lbWord, m_controls.lbIpa, m_controls.lbLemma, m_controls.lbForms,
                      m_controls.lbBand})
        l->clear();
    m_controls.txtGlosses->setPlainText(note);
    m_controls.cmdPlay->setEnabled(false);
    present();
}

void LookupPanel::present() {
    resetKeepButton();
    show();
    raise();
    activateWindow();
    if (m_controls.cmdPlay->isEnabled())
        m_controls.cmdPlay->setFocus();
}

void LookupPanel::play() {
    if (m_play && !m_entry.word.isEmpty())
        base::runGuarded("look-up play", [this] { m_play(m_entry); });
}

void LookupPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_K && event->modifiers() == Qt::NoModifier) {
        keep();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LookupPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), controls::kBackColor);
    if (m_title.isNull())
        m_title = lookupTitle(width(), kTitleHeight);
    p.drawPixmap(0, 0, m_title);
}

} // namespace hearvex::words
