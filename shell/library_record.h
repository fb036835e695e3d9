// The practice record in the lesson library: each lesson's tooltip tells its
// last result and when it is due (the list keeps showing the file names), and
// the list's context menu opens the record and starts the next due sentence.
#pragma once

#include "form3.h"
#include "practice_recorder.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <functional>

namespace hearvex {

class LibraryRecord : public QObject {
    Q_OBJECT
public:
    // Watches library's list; the menu's commands run as their keys do.
    LibraryRecord(lessons::Form3& library, PracticeRecorder& recorder,
                  std::function<void()> showRecord, std::function<void()> startNextDue);

    // The tooltip of the entry at a position of the list.
    QString toolTipOf(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMenu(const QPoint& at);
    // The recording's hash, read again only when the file changed.
    QByteArray hashOf(const QString& path);

    struct Hashed {
        QDateTime modified;
        qint64 size = -1;
        QByteArray hash;
    };
    lessons::Form3& m_library;
    PracticeRecorder& m_recorder;
    std::function<void()> m_showRecord;
    std::function<void()> m_startNextDue;
    QHash<QString, Hashed> m_hashes;
};

} // namespace hearvex
