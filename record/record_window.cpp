#include "record_window.h"

#include "colors.h"
#include "day_chart.h"
#include "fonts.h"
#include "guard.h"
#include "record_artwork.h"
#include "record_texts.h"
#include "tool_window_label.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace hearvex::record {

namespace {

constexpr int kWidth = 620;
constexpr int kHeight = 470;
constexpr int kTitleHeight = 26;

QTreeWidget* makeTree(QWidget* parent, const char* name, const QStringList& headers, QRect place) {
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setGeometry(place);
    tree->setFont(controls::songTi(12));
    tree->setHeaderLabels(headers);
    tree->header()->setFont(controls::interfaceFont(12));
    tree->setColumnCount(static_cast<int>(headers.size()));
    tree->setUniformRowHeights(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setTextElideMode(Qt::ElideRight);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The first column takes what the others leave.
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    return tree;
}

// Beside the learner's documents, named by the day it was taken.
QString suggestedCsvPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString name = QStringLiteral("练习记录-%1.csv")
                             .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    return QDir(folder).filePath(name);
}

QString askSavePathWithDialog(QWidget* parent, const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("导出练习记录"), suggested,
                                        QStringLiteral("CSV 表格 (*.csv);;所有文件 (*)"));
}

} // namespace

RecordWindow::RecordWindow(QWidget* owner)
    // A tool window of the main window: no taskbar entry of its own.
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("RecordWindow"));
    setWindowTitle(QStringLiteral("练习记录"));
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty("closesOnEscape", true); // Esc is the window's own, not the player's
    setFixedSize(kWidth, kHeight);
    m_askSavePath = [this](const QString& suggested) {
        return askSavePathWithDialog(this, suggested);
    };

    m_controls.Image1 = new controls::PictureButton(this);
    m_controls.Image1->setObjectName(QStringLiteral("Image1"));
    m_controls.Image1->setGeometry(kWidth - 18, 0, 13, 13);
    m_controls.Image1->setPicture(artwork::closePicture(m_controls.Image1->width()));
    m_controls.Image1->setToolTip(QStringLiteral("关闭（Esc）"));
    m_controls.Image1->setAccessibleName(QStringLiteral("关闭"));
    m_controls.Image1->setClickHandler([this] { close(); });

    m_controls.lbToday = controls::toolWindowLabel(this, "lbToday", QRect(10, 32, 420, 20), 14);
    m_controls.lbToday->setText(QStringLiteral("正在读取练习记录……"));
    m_controls.lbDaysInARow =
        controls::toolWindowLabel(this, "lbDaysInARow", QRect(430, 32, 180, 20), 14);
    m_controls.lbDaysInARow->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_controls.chartDays = new QChartView(this);
    m_controls.chartDays->setObjectName(QStringLiteral("chartDays"));
    m_controls.chartDays->setAccessibleName(QStringLiteral("近30天的写对率、练习分钟和跟读分钟"));
    m_controls.chartDays->setGeometry(4, 54, kWidth - 8, 178);
    m_controls.chartDays->setRenderHint(QPainter::Antialiasing);
    m_controls.chartDays->setFrameShape(QFrame::NoFrame);
    // Its own class only: the tip of a day inherits the sheet otherwise, and
    // would be drawn transparent.
    m_controls.chartDays->setStyleSheet(QStringLiteral("QChartView { background: transparent }"));

    m_controls.lbMissed = controls::toolWindowLabel(this, "lbMissed", QRect(10, 236, 220, 18));
    m_controls.lbMissed->setText(QStringLiteral("常错的词（次数）"));
    m_controls.treeMissed =
        makeTree(this, "treeMissed", {QStringLiteral("词"), QStringLiteral("次数")},
                 QRect(10, 256, 220, 136));
    m_controls.treeMissed->setColumnWidth(1, 44);
    m_controls.treeMissed->setAccessibleName(QStringLiteral("常错的词"));

    m_controls.lbDue = controls::toolWindowLabel(this, "lbDue", QRect(240, 236, 370, 18));
    m_controls.lbDue->setText(QStringLiteral("待复习的句子（双击开始，F12 开始第一句）"));
    m_controls.treeDue = makeTree(this, "treeDue",
                                  {QStringLiteral("句子"), QStringLiteral("课文"),
                                   QStringLiteral("到期"), QStringLiteral("上次")},
                                  QRect(240, 256, 370, 136));
    m_controls.treeDue->setRootIsDecorated(false);
    m_controls.treeDue->setColumnWidth(1, 78);
    m_controls.treeDue->setColumnWidth(2, 64);
    m_controls.treeDue->setColumnWidth(3, 40);
    m_controls.treeDue->setAccessibleName(QStringLiteral("待复习的句子"));
    connect(m_controls.treeDue, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        base::runGuarded("treeDue activated", [&] { startDueRow(item); });
    });

    m_controls.lbComing = controls::toolWindowLabel(this, "lbComing", QRect(10, 394, 600, 18), 12);
    m_controls.lbComing->setAccessibleName(QStringLiteral("未来 7 天到期的句子"));
    // Four lines beside the buttons: a note names the record's path and what to do.
    m_controls.lbStatus = controls::toolWindowLabel(this, "lbStatus", QRect(10, 412, 388, 56), 11);
    m_controls.lbStatus->setWordWrap(true);
    m_controls.lbStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_controls.cmdExport = new QPushButton(QStringLiteral("导出CSV…"), this);
    m_controls.cmdExport->setObjectName(QStringLiteral("cmdExport"));
    m_controls.cmdExport->setGeometry(kWidth - 110, 436, 100, 26);
    m_controls.cmdExport->setFont(controls::interfaceFont(13));
    m_controls.cmdExport->setToolTip(
        QStringLiteral("把全部练习记录存成 CSV 表格，可用 Excel 或 WPS 打开"));
    connect(m_controls.cmdExport, &QPushButton::clicked, this,
            [this] { base::runGuarded("cmdExport click", [this] { exportCsv(); }); });
    buildWordBookPage();
}

void RecordWindow::showSummary(const RecordSummary& summary, const QDateTime& now) {
    m_controls.lbToday->setText(todayCaption(summary.today));
    m_controls.lbDaysInARow->setText(daysInARowCaption(summary.daysInARow, summary.today));
    QChart* old = m_controls.chartDays->chart();
    m_controls.chartDays->setChart(makeDayChart(summary.lastDays));
    delete old; // the view does not own a chart it lets go of
    fillMissed(summary.mostMissed);
    m_controls.wordBookPage->showKinds(summary.missKinds, summary.mostMissedFunctionWords);
    fillDue(summary.due, now);
}

void RecordWindow::showComingDue(const std::vector<int>& counts, const QDateTime& now) {
    m_controls.lbComing->setText(comingDueCaption(counts, now));
    m_controls.lbComing->setToolTip(comingDueToolTip(counts, now));
}

void RecordWindow::fillMissed(const std::vector<MissedWord>& missed) {
    m_controls.treeMissed->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(missed.size()));
    for (const MissedWord& word : missed) {
        auto* item = new QTreeWidgetItem({word.word, QString::number(word.count)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        for (const QString& sentence : word.sentences) {
            auto* child = new QTreeWidgetItem(item, {sentence});
            child->setToolTip(0, sentence);
            child->setFirstColumnSpanned(true);
        }
        items << item;
    }
    m_controls.treeMissed->addTopLevelItems(items);
    if (missed.empty())
        m_controls.treeMissed->addTopLevelItem(
            new QTreeWidgetItem({QStringLiteral("（还没有写错的词）")}));
}

void RecordWindow::fillDue(const std::vector<DueItem>& due, const QDateTime& now) {
    m_controls.treeDue->clear();
    // The oldest rows only: thousands of rows would hold up the window, and
    // the learner starts from the top.
    constexpr std::size_t kMostRows = 300;
    m_due.assign(due.begin(), due.begin() + std::ptrdiff_t(std::min(due.size(), kMostRows)));
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(m_due.size()));
    for (const DueItem& item : m_due) {
        auto* row = new QTreeWidgetItem({item.lesson.sentence, item.lesson.recordingName,
                                         dueCaption(item.due, now), item.lastResult});
        row->setToolTip(0, item.lesson.sentence);
        row->setToolTip(1, QDir(item.lesson.folder).filePath(item.lesson.recordingName));
        items << row;
    }
    m_controls.treeDue->addTopLevelItems(items);
    m_controls.lbDue->setText(
        due.empty()
            ? QStringLiteral("待复习的句子：现在没有")
            : QStringLiteral("待复习的句子：%1 句（双击开始，F12 开始第一句）").arg(due.size()));
}

const DueItem* RecordWindow::dueItemAt(int row) const {
    if (row < 0 || row >= static_cast<int>(m_due.size()))
        return nullptr;
    return &m_due[static_cast<std::size_t>(row)];
}

void RecordWindow::startDueRow(QTreeWidgetItem* item) {
    const DueItem* due = dueItemAt(m_controls.treeDue->indexOfTopLevelItem(item));
    if (due && m_startDue)
        m_startDue(*due);
}

void RecordWindow::setRecordNote(const QString& note) {
    m_recordNote = note;
    showStatus(note, !note.isEmpty());
}

void RecordWindow::showStatus(const QString& text, bool problem) {
    m_controls.lbStatus->setText(text);
    m_controls.lbStatus->setToolTip(text);
    QPalette pal = m_controls.lbStatus->palette();
    pal.setColor(QPalette::WindowText, problem ? QColor(255, 214, 102) : QColor(Qt::white));
    m_controls.lbStatus->setPalette(pal);
}

void RecordWindow::setExportEnabled(bool enabled) {
    m_controls.cmdExport->setEnabled(enabled);
}

void RecordWindow::exportCsv() {
    if ((!m_writeCsv && !m_exportCsv) || !m_askSavePath)
        return;
    QString path = m_askSavePath(suggestedCsvPath());
    // The dialog hands the focus to the main window as it closes; Esc must
    // still close this one.
    takeFocusBack();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (m_exportCsv) {
        m_controls.cmdExport->setEnabled(false);
        showStatus(QStringLiteral("正在导出……"), false);
        const QPointer<RecordWindow> self(this);
        m_exportCsv(path, [self, path](const QString& error) {
            if (self)
                self->exportFinished(path, error);
        });
        return;
    }
    // Written whole or not at all: a half-written export would pass for the record.
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly) && file.write("\xEF\xBB\xBF") == 3 &&
                       m_writeCsv(file) && file.commit();
    exportFinished(path, saved ? QString() : file.errorString());
}

void RecordWindow::exportFinished(const QString& path, const QString& error) {
    m_controls.cmdExport->setEnabled(true);
    if (error.isEmpty())
        showStatus(QStringLiteral("已导出：%1").arg(QDir::toNativeSeparators(path)), false);
    else
        showStatus(QStringLiteral("导出失败：%1").arg(error), true);
}

void RecordWindow::takeFocusBack() {
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void RecordWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), controls::kBackColor);
    if (m_title.isNull())
        m_title = artwork::recordTitle(width(), kTitleHeight);
    p.drawPixmap(0, 0, m_title);
}

void RecordWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace hearvex::record
