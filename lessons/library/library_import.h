// Importing the recordings dropped on the lesson library, as hearvex-lesson
// import does, into the library's own folder. The import runs on a worker
// thread behind a progress dialog whose Cancel stops it (leaving the folder as
// it was); a refusal is told in a message box.
#pragma once

#include "import_media.h"
#include "transcript_import.h"

#include <QList>
#include <QObject>
#include <QProgressDialog>
#include <QString>
#include <QUrl>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QMimeData;
class QProgressBar;

namespace hearvex::lessons {

class LibraryImport : public QObject {
    Q_OBJECT
public:
    // window parents the dialog and the message boxes; folder receives the lessons.
    LibraryImport(QWidget* window, const QString& folder);
    ~LibraryImport() override; // cancels a running import and waits for it to undo itself
    LibraryImport(const LibraryImport&) = delete;
    LibraryImport& operator=(const LibraryImport&) = delete;

    // Whether a drag carries local files this could take.
    static bool holdsFiles(const QMimeData* data);

    // Imports the dropped files: a recording and, if one is among them, its
    // subtitle file or its plain transcript (.txt), which is aligned. A drop that names no single
    // recording is refused with a message; one while an import runs is ignored.
    void importDropped(const QList<QUrl>& urls);
    bool running() const { return m_worker.joinable(); }

    // After an import that wrote lessons: their recordings' names, in order.
    void setDoneHandler(std::function<void(const QStringList&)> done) { m_done = std::move(done); }
    // How refusals reach the learner; tests replace the message box.
    void setMessageHandler(std::function<void(const QString&)> show) {
        m_showMessage = std::move(show);
    }
    // Called with the dialog shown, before the worker starts (tests press Cancel here).
    void setStartHook(std::function<void(QProgressDialog&)> hook) { m_startHook = std::move(hook); }

private:
    void start(const ImportRequest& request);
    void showProgress(const TranscriptImportProgress& progress);
    void finish(const ImportResult& result);

    QWidget* m_window;
    QString m_folder;
    QString m_name; // of the lessons being imported
    std::function<void(const QStringList&)> m_done;
    std::function<void(const QString&)> m_showMessage;
    std::function<void(QProgressDialog&)> m_startHook;
    std::unique_ptr<QProgressDialog> m_dialog;
    QProgressBar* m_bar = nullptr; // the dialog's
    bool m_aligning = false;       // a transcript is being aligned: the stages are named
    std::atomic<bool> m_cancel{false};
    std::thread m_worker;
};

} // namespace hearvex::lessons
