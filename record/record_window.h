// The practice record's window (练习记录): a tool window of the main window,
// like the word lists. It shows today's figures and the days in a row, a chart
// of the last 30 days, the words missed most with the sentences they were
// missed in, and the sentences due for review, oldest first; a double-click on
// one starts it. The whole record can be exported as CSV. It shows what it is
// given; the record itself stays with its owner. Esc closes it.
#pragma once

#include "picture_button.h"
#include "practice_types.h"
#include "word_book_page.h"

#include <QChartView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <vector>

class QIODevice;

namespace hearvex::record {

// The window's controls, written by RecordWindow alone.
struct RecordWindowControls {
    controls::PictureButton* Image1 = nullptr; // close
    QLabel* lbToday = nullptr;
    QLabel* lbDaysInARow = nullptr;
    QChartView* chartDays = nullptr;
    QLabel* lbMissed = nullptr;
    QTreeWidget* treeMissed = nullptr; // a word and its count; under it, its sentences
    QLabel* lbDue = nullptr;
    QTreeWidget* treeDue = nullptr; // sentence, lesson, due, last result
    QLabel* lbComing = nullptr;     // how many come due on each of the next 7 days
    QLabel* lbStatus = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdWordBook = nullptr; // the 生词本 page
    WordBookPage* wordBookPage = nullptr;
};

class RecordWindow : public QWidget {
    Q_OBJECT
public:
    // A tool window of owner, deleted when closed.
    explicit RecordWindow(QWidget* owner);

    // Shows the record's figures as of now.
    void showSummary(const RecordSummary& summary, const QDateTime& now);
    // How many sentences come due on each day after today, tomorrow first.
    void showComingDue(const std::vector<int>& counts, const QDateTime& now);
    // A word about the record itself (not saved, kept aside...); empty: none.
    void setRecordNote(const QString& note);

    // What a double-click on a due sentence does.
    void setDueStarter(std::function<void(const DueItem&)> start) { m_startDue = std::move(start); }
    // Writes the whole record as CSV into a device; false when it could not.
    using CsvWriter = std::function<bool(QIODevice&)>;
    void setCsvWriter(CsvWriter write) { m_writeCsv = std::move(write); }
    // Or: exports the record into the file at path away from the window's
    // thread, byte-order mark first, and calls done with an error (empty: saved).
    using CsvExporter =
        std::function<void(const QString& path, std::function<void(const QString& error)> done)>;
    void setCsvExporter(CsvExporter exporter) { m_exportCsv = std::move(exporter); }
    // Asks where to save (a save dialog); tests answer in its place. Empty: cancelled.
    using SaveAsker = std::function<QString(const QString& suggestedPath)>;
    void setSaveAsker(SaveAsker ask) { m_askSavePath = std::move(ask); }

    // Whether there is a record to export (cmdExport is greyed out while not).
    void setExportEnabled(bool enabled);
    // cmdExport's click: asks for a file and writes the record into it (a
    // byte-order mark first, so spreadsheet programs read its Chinese). The
    // window keeps the focus; the outcome shows in lbStatus.
    void exportCsv();

    // The controls, for tests that look at them or act on them as the learner does.
    const RecordWindowControls& controls() const { return m_controls; }

    // The 生词本 page: how it reads the word book when it opens, and the page
    // itself (for its glosses and kind names, and for tests).
    void setWordBookReader(std::function<void(WordBookPage&)> read) {
        m_readWordBook = std::move(read);
    }
    WordBookPage& wordBookPage() { return *m_controls.wordBookPage; }
    // cmdWordBook's click (Alt+B): the page shown, or the figures again.
    void showWordBook(bool shown);

    // The due item of a row of treeDue.
    const DueItem* dueItemAt(int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillMissed(const std::vector<MissedWord>& missed);
    void fillDue(const std::vector<DueItem>& due, const QDateTime& now);
    void startDueRow(QTreeWidgetItem* item);
    void showStatus(const QString& text, bool problem);
    void takeFocusBack();
    void exportFinished(const QString& path, const QString& error);

    RecordWindowControls m_controls;
    std::vector<DueItem> m_due;
    QString m_recordNote;
    std::function<void(const DueItem&)> m_startDue;
    CsvWriter m_writeCsv;
    CsvExporter m_exportCsv;
    SaveAsker m_askSavePath;
    QPixmap m_title;
    std::function<void(WordBookPage&)> m_readWordBook;
    void buildWordBookPage();
};

} // namespace hearvex::record
