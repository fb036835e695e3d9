// Hearvex: listening and dictation practice.
#include "artwork.h"
#include "engine_api.h"
#include "fonts.h"
#include "startup.h"
#include "translations.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>
#include <cstring>

namespace {

// --help and --version are answered before Qt starts, so they need no display.
bool answeredOnCommandLine(int argc, char** argv) {
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("hearvex %s\n", HEARVEX_VERSION);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::printf(
            "usage: hearvex [FILE]\n"
            "  FILE        a recording to open and play as soon as the window is up\n"
            "  --help      show this text\n"
            "  --version   show the program's version\n"
            "Lessons are started from the lesson library; see hearvex(1) and the help page.\n");
        return true;
    }
    return false;
}

// The view repaints a small picture ten times a second. Through X's shared
// memory each repaint first waits for the server to finish reading the last
// one, a round trip; sent down the socket, its few kilobytes cost less. Set
// only while Qt connects, so programs started from here (a browser for the
// help) get the environment as it was; a choice the user made stands.
constexpr const char* kNoXSharedMemory = "QT_XCB_NO_MITSHM";

} // namespace

int main(int argc, char** argv) {
    if (answeredOnCommandLine(argc, argv))
        return 0;
    const bool sharedMemoryChosen = qEnvironmentVariableIsSet(kNoXSharedMemory);
    if (!sharedMemoryChosen)
        qputenv(kNoXSharedMemory, "1");
    QApplication app(argc, argv);
    if (!sharedMemoryChosen)
        qunsetenv(kNoXSharedMemory);
    QApplication::setApplicationName(QStringLiteral("Hearvex"));
    hearvex::controls::installFontSubstitutions();
    hearvex::installQtChinese(app);
    hearvex::installMessagesInChinese(app);
    // The desktop matches the windows to hearvex.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("hearvex"));
    QApplication::setWindowIcon(QIcon(hearvex::controls::artwork::programIcon(64)));

    auto engine = hearvex::makeVbmp3Engine();
    hearvex::Startup startup(*engine, QCoreApplication::applicationDirPath());
    // hearvex FILE: that recording opens and plays as soon as the window is up.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString path = QFileInfo(arguments.at(1)).absoluteFilePath();
        if (QFileInfo(path).isFile())
            startup.setRecordingToOpen(path);
        else
            std::fprintf(stderr, "hearvex: no such file: %s\n", qPrintable(arguments.at(1)));
    }
    startup.begin();
    return QApplication::exec();
}
