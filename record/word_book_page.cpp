#include "word_book_page.h"

#include "colors.h"
#include "fonts.h"
#include "guard.h"
#include "tool_window_label.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QSaveFile>
#include <QStandardPaths>

namespace hearvex::record {

namespace {

constexpr int kWidth = 620;
constexpr int kTopOfPage = 26;

QLabel* pageLabel(QWidget* parent, const char* name, QRect place, int pixelSize = 13) {
    QLabel* label = controls::toolWindowLabel(parent, name, place, pixelSize);
    label->setWordWrap(true);
    return label;
}

QPushButton* pageButton(QWidget* parent, const char* name, const QString& caption, QRect place) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    button->setFont(controls::interfaceFont(13));
    return button;
}

QString documentsPath(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(name);
}

} // namespace

WordBookPage::WordBookPage(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("WordBookPage"));
    setGeometry(0, kTopOfPage, kWidth, parent->height() - kTopOfPage);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, controls::kBackColor);
    setPalette(background);
    m_askSavePath = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("导出生词本"), suggested);
    };
    m_controls.lbKinds = pageLabel(this, "lbKinds", QRect(10, 4, 600, 36));
    m_controls.lbFunctionWords = pageLabel(this, "lbFunctionWords", QRect(10, 42, 600, 36));
    m_controls.lbWords = pageLabel(this, "lbWords", QRect(10, 82, 600, 18));
    m_controls.lbWords->setText(QStringLiteral("生词本（在查词窗口按 K 加入；双击展开句子）"));
    auto* tree = m_controls.treeWords = new QTreeWidget(this);
    tree->setObjectName(QStringLiteral("treeWords"));
    tree->setAccessibleName(QStringLiteral("生词本"));
    tree->setGeometry(10, 102, 600, 290);
    tree->setFont(controls::songTi(12));
    tree->setHeaderLabels({QStringLiteral("词"), QStringLiteral("错"), QStringLiteral("错误类型"),
                           QStringLiteral("释义")});
    tree->header()->setFont(controls::interfaceFont(12));
    tree->setColumnWidth(0, 120);
    tree->setColumnWidth(1, 30);
    tree->setColumnWidth(2, 150);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setTextElideMode(Qt::ElideRight);
    m_controls.lbStatus = pageLabel(this, "lbStatus", QRect(10, 396, 300, 44), 11);
    m_controls.cmdExportCsv =
        pageButton(this, "cmdExportCsv", QStringLiteral("导出CSV…"), QRect(316, 404, 92, 26));
    m_controls.cmdExportList =
        pageButton(this, "cmdExportList", QStringLiteral("导出词表…"), QRect(412, 404, 92, 26));
    m_controls.cmdExportList->setToolTip(QStringLiteral("存成词表窗口能打开的 RTF 词表"));
    m_controls.cmdBack =
        pageButton(this, "cmdBack", QStringLiteral("返回(&R)"), QRect(510, 404, 100, 26));
    connect(m_controls.cmdExportCsv, &QPushButton::clicked, this,
            [this] { base::runGuarded("cmdExportCsv click", [this] { exportCsv(); }); });
    connect(m_controls.cmdExportList, &QPushButton::clicked, this,
            [this] { base::runGuarded("cmdExportList click", [this] { exportList(); }); });
    connect(m_controls.cmdBack, &QPushButton::clicked, this, [this] {
        if (m_back)
            m_back();
    });
}

QString WordBookPage::kindLabel(const QString& kind) const {
    return m_labelKind ? m_labelKind(kind) : kind;
}

QString WordBookPage::kindsText(const std::vector<KindCount>& kinds) const {
    QStringList parts;
    for (const KindCount& kind : kinds)
        parts << QStringLiteral("%1 %2").arg(kindLabel(kind.kind)).arg(kind.count);
    return parts.join(QStringLiteral(" · "));
}

QString WordBookPage::glossesOf(const QString& word) const {
    return m_glossesOf ? m_glossesOf(word) : QString();
}

void WordBookPage::showKinds(const std::vector<KindCount>& kinds,
                             const std::vector<MissedWord>& functionWords) {
    m_controls.lbKinds->setText(kinds.empty()
                                    ? QStringLiteral("近30天的错误类型：还没有")
                                    : QStringLiteral("近30天的错误类型：") + kindsText(kinds));
    QStringList words;
    for (const MissedWord& word : functionWords)
        words << QStringLiteral("%1 %2").arg(word.word).arg(word.count);
    m_controls.lbFunctionWords->setText(
        QStringLiteral("常错的虚词（冠词、介词、代词、助动词、连词）：") +
        (words.isEmpty() ? QStringLiteral("还没有") : words.join(QStringLiteral(" · "))));
}

void WordBookPage::showWords(const std::vector<WordBookWord>& words) {
    m_words = words;
    QTreeWidget* tree = m_controls.treeWords;
    tree->clear();
    for (const WordBookWord& word : words) {
        auto* row = new QTreeWidgetItem({word.word, QString::number(word.timesMissed),
                                         kindsText(word.kinds), glossesOf(word.word)});
        row->setToolTip(3, row->text(3));
        for (const KeptWord& kept : word.kept) {
            auto* child = new QTreeWidgetItem(
                {kept.lesson.sentence, QString(), kept.lesson.recordingName, QString()});
            child->setToolTip(0, kept.lesson.sentence);
            row->addChild(child);
        }
        tree->addTopLevelItem(row);
    }
    m_controls.lbStatus->setText(words.empty()
                                     ? QStringLiteral("生词本是空的：查词时按 K 把词记下来。")
                                     : QStringLiteral("共 %1 个词").arg(words.size()));
    m_controls.cmdExportCsv->setEnabled(!words.empty());
    m_controls.cmdExportList->setEnabled(!words.empty());
}

void WordBookPage::showNote(const QString& note) {
    showWords({});
    m_controls.lbStatus->setText(note);
}

void WordBookPage::exportCsv() {
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    csv.write("\xEF\xBB\xBF"); // spreadsheet programs read UTF-8 only with it
    writeWordBookCsv(m_words, m_glossesOf, csv);
    writeFile(QStringLiteral("生词本-%1.csv")
                  .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))),
              csv.data());
}

void WordBookPage::exportList() {
    writeFile(QStringLiteral("生词本.rtf"), wordBookList(m_words, m_glossesOf));
}

// Written whole or not at all.
void WordBookPage::writeFile(const QString& suggestedName, const QByteArray& bytes) {
    const QString path = m_askSavePath(documentsPath(suggestedName));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    m_controls.lbStatus->setText(
        written ? QStringLiteral("已导出到 %1").arg(QDir::toNativeSeparators(path))
                : QStringLiteral("无法写入 %1：%2")
                      .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace hearvex::record
