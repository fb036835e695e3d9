#include "startup.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace hearvex {

Startup::Startup(EngineApi& engine, const QString& programDir)
    : m_engine(engine)
    , m_programDir(programDir)
    , m_placesWindows(platformPlacesWindows(QGuiApplication::platformName())) {}

Startup::~Startup() {
    if (Form4* splash = m_splash)
        delete splash;
}

void Startup::begin() {
    if (m_splash || m_form1)
        return;
    auto* splash = new Form4;
    m_splash = splash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->setTimeUpHandler([this] { bringUpMainWindow(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        splash->move(screen->geometry().center() - splash->rect().center());
    splash->show();
}

void Startup::bringUpMainWindow() {
    Form4* splash = m_splash;
    if (!splash || m_form1)
        return;
    m_form1 = std::make_unique<Form1>(m_engine);
    m_form1->setProgramDir(m_programDir);
    m_form1->load();
    placeWindows();
    // The practice record opens once the window is up; nothing waits for it.
    QTimer::singleShot(0, m_form1.get(), [form1 = m_form1.get()] {
        form1->recorder().open(record::defaultRecordPath());
    });
    m_form1->lessonState().curLesson = 1;
    splash->close();
    if (!m_recordingToOpen.isEmpty())
        m_form1->player().openTrack(m_recordingToOpen);
}

void Startup::placeWindows() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint topLeft = centredTopLeft(screen ? screen->geometry().size() : QSize(800, 480));
    lessons::Form3& form3 = m_form1->form3();
    if (!m_placesWindows) {
        m_pair = std::make_unique<DockedPair>(*m_form1, form3);
        form3.show();
        m_pair->move(topLeft); // a wish the compositor may ignore
        m_pair->show();
        return;
    }
    m_form1->show();
    m_form1->move(topLeft);
    form3.show();
    form3.move(dockedTopLeft(m_form1->frameGeometry()));
}

} // namespace hearvex
