#include "form3.h"
#include "colors.h"

#include "alignment_mark.h"
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
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolTip>
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

    FileList* list = new FileList(this);
    m_controls.File1 = list;
    list->setObjectName(QStringLiteral("File1"));
    list->setAccessibleName(QStringLiteral("课文列表"));
    list->setGeometry(twipsRect(0, 0, 2295, 6570));
    list->setFont(controls::songTi(12));
    list->setFrameShape(QFrame::NoFrame);
    list->setStyleSheet(
        QStringLiteral("QListWidget { background: %1; color: white; border: none; }"
                       "QListWidget::item:selected { background: %2; color: white; }")
            .arg(controls::styleColor(controls::kBackColor),
                 controls::styleColor(controls::kSelectionColor)));
    list->setDblClickHandler([this] { startSelected(); });
    list->setEnterHandler([this] { startFromKeyboard(); });
    list->setEscapeHandler([this] { giveFocusBack(); });
    list->viewport()->installEventFilter(this);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        base::runGuarded("File1 context menu", [&] { showMenu(at); });
    });

    m_controls.Image1 =
        makeButton(this, "Image1", QStringLiteral("确定"), twipsRect(0, 6720, 1170, 360));
    m_controls.Image2 =
        makeButton(this, "Image2", QStringLiteral("关闭"), twipsRect(1140, 6720, 1170, 360));
    m_controls.Image1->setClickHandler([this] { startSelected(); });
    m_controls.Image2->setClickHandler([this] { hide(); });

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
    skipOnError([&] { m_controls.File1->setPaths(m_folders.listed()); });
    skipOnError([&] { m_controls.File1->setListIndex(m_state.curLesson); });
}

void Form3::step(int direction) {
    const int selected = m_controls.File1->listIndex();
    if (direction > 0 && selected >= m_controls.File1->listCount() - 1)
        return;
    if (direction < 0 && selected < 1)
        return;
    m_controls.File1->setListIndex(selected + (direction > 0 ? 1 : -1));
    startSelected();
}

void Form3::stepOrStartSelected(int direction) {
    // With nothing selected a step down starts the first lesson, as the button does.
    if (m_lessonStarted || m_controls.File1->listIndex() < 0)
        step(direction);
    else
        startSelected();
}

void Form3::focusList() {
    FileList* list = m_controls.File1;
    if (list->listIndex() < 0 && list->listCount() > 0)
        list->setListIndex(0);
    show();
    raise();
    activateWindow();
    list->setFocus(Qt::ShortcutFocusReason);
}

void Form3::startFromKeyboard() {
    if (m_controls.File1->listIndex() < 0)
        return; // nothing to start: the learner is still choosing
    startSelected();
    giveFocusBack();
}

void Form3::giveFocusBack() {
    if (m_focusReturn)
        m_focusReturn();
}

void Form3::startLessonAt(int position) {
    m_controls.File1->setListIndex(position);
    startSelected();
}

int Form3::lessonCount() const {
    return m_controls.File1->listCount();
}

ListedLesson Form3::lessonAt(int position) const {
    const FileList& list = *m_controls.File1;
    return {list.entry(position), list.entryFile(position), list.entryFolder(position)};
}

void Form3::startSelected() {
    // A request that arrives while a lesson is being started (a message box of
    // the open runs its own event loop) is dropped.
    if (m_starting)
        return;
    const FileList& list = *m_controls.File1;
    const int position = list.listIndex();
    if (position < 0)
        return;
    m_starting = true;
    m_lessonStarted = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_starting};

    const QString name = list.entry(position);
    // The files are opened by the bytes of their names, which need not be UTF-8.
    const QString folderPath = list.entryFolder(position);
    const QByteArray folder = QFile::encodeName(folderPath);
    const QByteArray file = list.entryFile(position);
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

void Form3::setMenuCommands(MenuCommands commands) {
    m_menuCommands = std::move(commands);
}

void Form3::showMenu(const QPoint& at) {
    if (m_menuCommands.empty())
        return;
    FileList* list = m_controls.File1;
    QMenu menu(list);
    for (const auto& [words, command] : m_menuCommands)
        menu.addAction(words, command);
    menu.exec(list->viewport()->mapToGlobal(at));
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_controls.File1->viewport() && event->type() == QEvent::ToolTip &&
        showLessonToolTip(static_cast<const QHelpEvent&>(*event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

QString Form3::lessonToolTip(int position) const {
    QString tip;
    if (m_toolTipOf)
        base::runGuarded("File1 tooltip", [&] { tip = m_toolTipOf(position); });
    const ListedLesson lesson = lessonAt(position);
    bool uncertain = false;
    if (!lesson.file.isEmpty())
        base::runGuarded("File1 alignment mark", [&] {
            uncertain =
                recordingAlignmentUncertain(QFile::encodeName(lesson.folder) + '/' + lesson.file);
        });
    return withAlignmentMark(tip, uncertain);
}

bool Form3::showLessonToolTip(const QHelpEvent& help) {
    const FileList& list = *m_controls.File1;
    const int position = list.indexAt(help.pos()).row();
    if (position < 0)
        return false;
    const QString tip = lessonToolTip(position);
    if (tip.isEmpty())
        return false;
    QToolTip::showText(help.globalPos(), tip, list.viewport(),
                       list.visualRect(list.model()->index(position, 0)));
    return true;
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
    FileList* list = m_controls.File1;
    skipOnError([&] { list->refresh(); });
    if (recordings.isEmpty())
        return;
    // The import names its files from a QString, as the locale spells it.
    const int first =
        list->positionOf(QFile::encodeName(recordings.first()), m_folders.importFolder());
    if (first >= 0)
        skipOnError([&] { list->setListIndex(first); });
}

} // namespace hearvex::lessons
