#include "library_import.h"

#include "dropped_files.h"
#include "guard.h"
#include "import_plugin.h"
#include "lesson_list.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <algorithm>

namespace hearvex::lessons {

namespace {
constexpr int kBarSteps = 1000;
constexpr qsizetype kWarningsShown = 5;

void showMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

QStringList localFiles(const QList<QUrl>& urls) {
    QStringList files;
    for (const QUrl& url : urls)
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            files << url.toLocalFile();
    return files;
}

QString dropProblemText(DroppedFiles::Problem problem) {
    switch (problem) {
    case DroppedFiles::Problem::NoMedia:
        return QStringLiteral(
            "拖进来的文件里没有录音。请把录音（和它的字幕文件）一起拖到课文库里。");
    case DroppedFiles::Problem::SeveralMedia:
        return QStringLiteral("一次只能导入一个录音。请每次拖一个录音（和它的字幕文件）进来。");
    case DroppedFiles::Problem::SeveralSubtitles:
        return QStringLiteral("拖进来的字幕文件不止一个，不知道该用哪一个。请只带一个字幕文件。");
    case DroppedFiles::Problem::None:
        break;
    }
    return {};
}

// What the learner can do about it, then the import's own words.
QString refusalText(const ImportResult& result, const QString& name) {
    QString lead;
    switch (result.outcome) {
    case ImportOutcome::NameTaken:
        lead = QStringLiteral("课文库里已有名为“%1”的课文。请把录音改个名字再拖进来，"
                              "或者先删掉那些课文。")
                   .arg(name);
        break;
    case ImportOutcome::Busy:
        lead = QStringLiteral("另一个导入正在写入名为“%1”的课文，请等它完成后再试。").arg(name);
        break;
    case ImportOutcome::NoSubtitles:
        lead = QStringLiteral("找不到“%1”的字幕。请把录音和它的字幕文件"
                              "（.srt .vtt .lrc .ass .ssa）或文字稿（.txt）一起拖进来。")
                   .arg(name);
        break;
    default:
        lead = QStringLiteral("无法导入“%1”。").arg(name);
        break;
    }
    return lead + QStringLiteral("\n\n") + result.message;
}

// The steps of importing with a transcript, as the dialog names them.
QString stageName(TranscriptImportStage stage) {
    switch (stage) {
    case TranscriptImportStage::Sentences:
        return QStringLiteral("第 1 步（共 3 步）：分句");
    case TranscriptImportStage::Alignment:
        return QStringLiteral("第 2 步（共 3 步）：对齐");
    case TranscriptImportStage::Cutting:
        return QStringLiteral("第 3 步（共 3 步）：切分");
    }
    return {};
}

QString warningsText(const ImportResult& result) {
    QStringList shown = result.warnings.mid(0, kWarningsShown);
    if (result.warnings.size() > kWarningsShown)
        shown << QStringLiteral("……");
    return QStringLiteral("已导入 %1 课。有些字幕没有完整地变成课文：\n%2")
        .arg(result.lessons.size())
        .arg(shown.join(QLatin1Char('\n')));
}
} // namespace

LibraryImport::LibraryImport(QWidget* window, const QString& folder)
    : m_window(window)
    , m_folder(folder)
    , m_showMessage([window](const QString& text) { showMessageBox(window, text); }) {}

LibraryImport::~LibraryImport() {
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
}

bool LibraryImport::holdsFiles(const QMimeData* data) {
    return data && data->hasUrls() && !localFiles(data->urls()).isEmpty();
}

void LibraryImport::importDropped(const QList<QUrl>& urls) {
    if (running())
        return;
    const DroppedFiles dropped = sortDroppedFiles(localFiles(urls));
    if (dropped.problem != DroppedFiles::Problem::None) {
        m_showMessage(dropProblemText(dropped.problem));
        return;
    }
    ImportRequest request;
    request.media = QFile::encodeName(dropped.media);
    request.subtitles = QFile::encodeName(dropped.subtitles);
    request.folder = QFile::encodeName(m_folder);
    start(request);
}

void LibraryImport::start(const ImportRequest& request) {
    m_name = fileNameText(defaultLessonName(request.media));
    m_cancel = false;
    m_aligning = false;
    m_dialog = std::make_unique<QProgressDialog>(m_window);
    m_bar = new QProgressBar; // the dialog's; set directly, as the dialog's own setValue
                              // would run the event loop inside our progress handler
    m_bar->setRange(0, 0);    // busy until the media's length is known
    m_dialog->setBar(m_bar);
    m_dialog->setWindowTitle(QStringLiteral("导入录音"));
    m_dialog->setLabelText(QStringLiteral("正在导入 %1…").arg(m_name));
    m_dialog->setCancelButtonText(QStringLiteral("取消"));
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    connect(m_dialog.get(), &QProgressDialog::canceled, this, [this] { m_cancel = true; });
    m_dialog->show();
    if (m_startHook)
        m_startHook(*m_dialog);

    try {
        m_worker = std::thread([this, request] {
            const ImportResult result =
                importDroppedOnDemand(request, [this](const TranscriptImportProgress& info) {
                    QMetaObject::invokeMethod(
                        this, [this, info] { showProgress(info); }, Qt::QueuedConnection);
                    return !m_cancel.load();
                });
            QMetaObject::invokeMethod(
                this, [this, result] { finish(result); }, Qt::QueuedConnection);
        });
    } catch (...) {
        m_dialog.reset();
        m_bar = nullptr;
        throw;
    }
}

void LibraryImport::showProgress(const TranscriptImportProgress& progress) {
    if (!m_dialog)
        return;
    const ImportProgressInfo& info = progress.cut;
    if (progress.stage != TranscriptImportStage::Cutting) {
        m_aligning = true; // a transcript: its stages are named
        m_bar->setRange(0, kBarSteps);
        m_bar->setValue(static_cast<int>(std::clamp(progress.fraction, 0.0, 1.0) * kBarSteps));
    } else if (info.totalMs > 0) {
        m_bar->setRange(0, kBarSteps);
        m_bar->setValue(
            static_cast<int>(std::min(info.doneMs, info.totalMs) * kBarSteps / info.totalMs));
    }
    QString label = QStringLiteral("正在导入 %1…").arg(m_name);
    if (m_aligning)
        label += QStringLiteral("\n%1").arg(stageName(progress.stage));
    if (info.findingWords)
        label += QStringLiteral("%1正在找出 %2 句里每个词的时间")
                     .arg(m_aligning ? QStringLiteral("：") : QStringLiteral("\n"))
                     .arg(info.lessonsPlanned);
    else if (info.lessonsPlanned > 0)
        label += QStringLiteral("%1已切出 %2 / %3 句")
                     .arg(m_aligning ? QStringLiteral("：") : QStringLiteral("\n"))
                     .arg(info.lessonsDone)
                     .arg(info.lessonsPlanned);
    m_dialog->setLabelText(label);
}

void LibraryImport::finish(const ImportResult& result) {
    if (m_worker.joinable())
        m_worker.join();
    if (m_dialog) {
        m_dialog->hide();
        // Deleted once back in the event loop, in case this runs under one of its handlers.
        m_dialog.release()->deleteLater();
        m_bar = nullptr;
    }
    base::runGuarded("import finished", [&] {
        switch (result.outcome) {
        case ImportOutcome::Done:
            if (m_done)
                m_done(result.lessons);
            if (!result.warnings.isEmpty())
                m_showMessage(warningsText(result));
            break;
        case ImportOutcome::Cancelled:
            break; // the learner asked for it; nothing changed
        case ImportOutcome::NoSubtitles:
        case ImportOutcome::NameTaken:
        case ImportOutcome::Busy:
        case ImportOutcome::Failed:
            m_showMessage(refusalText(result, m_name));
            break;
        }
    });
}

} // namespace hearvex::lessons
