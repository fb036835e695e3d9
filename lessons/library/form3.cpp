#include "form3.h"
#include "colors.h"

#include "artwork.h"
#include "fonts.h"
#include "guard.h"
#include "lesson_file.h"
#include "lesson_list.h"
#include "lesson_set.h"
#include "twips.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace hearvex::lessons {

using base::skipOnError;
using base::twipsRect;

namespace {
controls::PictureButton* makeButton(QWidget* parent, const char* name, const QString& words,
                                    QRect place) {
    auto* button = new controls::PictureButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(words);
    button->setGeometry(place);
    button->setPicture(controls::artwork::wordButton(words, place.width(), place.height()));
    return button;
}
} // namespace

Form3::Form3(LessonHost& host, LessonState& state, const QString& programDir, QWidget* owner)
    : Form3(host, state, lessonFoldersOf(programDir), owner) {}

Form3::Form3(LessonHost& host, LessonState& state, const LessonFolders& folders, QWidget* owner)
    // A tool window of the main window: no taskbar entry of its own, and it
    // goes and comes back with the main window.
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , m_host(host)
    , m_state(state)
    , m_folders(folders)
    , m_import(this, folders.importFolder()) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("课文库"));
    setFixedSize(152, 480); // 2280 x 7200 twips
    QPalette pal = palette();
    pal.setColor(QPalette::Window, controls::kBackColor); // the strip under the list too
    setPalette(pal);
    setAutoFillBackground(true);

    File1 = new FileList(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setAccessibleName(QStringLiteral("课文列表"));
    File1->setGeometry(twipsRect(0, 0, 2295, 6570));
    File1->setFont(controls::songTi(12));
    File1->setFrameShape(QFrame::NoFrame);
    File1->setStyleSheet(
        QStringLiteral("QListWidget { background: %1; color: white; border: none; }"
                       "QListWidget::item:selected { background: %2; color: white; }")
            .arg(controls::styleColor(controls::kBackColor),
                 controls::styleColor(controls::kSelectionColor)));
    File1->setDblClickHandler([this] { playwav(); });

    Image1 = makeButton(this, "Image1", QStringLiteral("确定"), twipsRect(0, 6720, 1170, 360));
    Image2 = makeButton(this, "Image2", QStringLiteral("关闭"), twipsRect(1140, 6720, 1170, 360));
    Image1->setClickHandler([this] { playwav(); });
    Image2->setClickHandler([this] { hide(); });

    setAcceptDrops(true);
    m_import.setDoneHandler([this](const QStringList& recordings) { showImported(recordings); });
}

void Form3::Form_Load() {
    // The learner's own folder is made now, so that the list follows it from the start.
    skipOnError([&] { m_folders.makeOwnFolder(); });
    // An import killed while committing its lessons is finished before they are listed.
    for (const QString& folder : m_folders.listed())
        skipOnError([&] { recoverInterruptedImports(QFile::encodeName(folder)); });
    // A missing folder lists nothing; a position past the end selects nothing.
    skipOnError([&] { File1->setPaths(m_folders.listed()); });
    skipOnError([&] { File1->setListIndex(m_state.curLesson); });
}

void Form3::playwav() {
    // A request that arrives while a lesson is being started (a message box of
    // the open runs its own event loop) is dropped.
    if (m_starting)
        return;
    const int position = File1->listIndex();
    if (position < 0)
        return;
    m_starting = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_starting};

    const QString name = File1->entry(position);
    // The files are opened by the bytes of their names, which need not be UTF-8.
    const QString folderPath = File1->entryFolder(position);
    const QByteArray folder = QFile::encodeName(folderPath);
    const QByteArray file = File1->entryFile(position);
    skipOnError([&] {
        if (position + 1 > std::numeric_limits<std::int16_t>::max())
            throw std::overflow_error("curLesson");
        m_state.curLesson = static_cast<std::int16_t>(position + 1);
    });
    QString text;
    skipOnError([&] { text = readLessonTextFile(folder + '/' + textFileNameBytes(file)).text; });
    const QString recording = folderPath + QLatin1Char('/') + name;
    skipOnError([&] { m_host.startLesson(text, recording, folder + '/' + file); });
}

void Form3::mousePressEvent(QMouseEvent* event) {
    if (m_mouseDown) {
        const QPoint at = event->position().toPoint();
        base::runGuarded("Form3 mouse down", [&] {
            m_mouseDown(controls::mouseButtonCode(event->button()),
                        controls::shiftCode(event->modifiers()), at.x(), at.y());
        });
    }
    QWidget::mousePressEvent(event);
}

void Form3::dragEnterEvent(QDragEnterEvent* event) {
    if (!m_import.running() && LibraryImport::holdsFiles(event->mimeData()))
        event->acceptProposedAction();
}

void Form3::dropEvent(QDropEvent* event) {
    if (!LibraryImport::holdsFiles(event->mimeData()))
        return;
    event->acceptProposedAction();
    const QList<QUrl> urls = event->mimeData()->urls();
    base::runGuarded("Form3 drop", [&] { m_import.importDropped(urls); });
}

void Form3::showImported(const QStringList& recordings) {
    skipOnError([&] { File1->refresh(); });
    if (recordings.isEmpty())
        return;
    // The import names its files from a QString, as the locale spells it.
    const int first =
        File1->positionOf(QFile::encodeName(recordings.first()), m_folders.importFolder());
    if (first >= 0)
        skipOnError([&] { File1->setListIndex(first); });
}

} // namespace hearvex::lessons
