#include "import_command.h"

#include "import_media.h"
#include "import_text.h"
#include "lesson_folders.h"
#include "lesson_list.h"
#include "lesson_set.h"
#include "words_command.h"

extern "C" {
#include <libavutil/log.h>
}

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace hearvex::lessons {

namespace {

void say(FILE* to, const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), to);
}

int usage(const QString& problem) {
    say(stderr, ImportText::tr(
                    "hearvex-lesson import: %1\n"
                    "usage: hearvex-lesson import MEDIA [SUBTITLES|TRANSCRIPT.txt] [--into FOLDER] "
                    "[--name NAME] [--replace] [--max-words N] [--max-seconds S]\n"
                    "       hearvex-lesson import --words-only FOLDER")
                    .arg(problem));
    return 2;
}

// Where the program's library puts imported lessons: the lesson folder beside
// this tool (which lives beside the program), or the learner's own where that
// cannot be written.
QByteArray defaultFolder() {
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const LessonFolders folders = lessonFoldersOf(QFileInfo(self).absolutePath());
    folders.makeOwnFolder(); // where it cannot be made, the import says so
    return QFile::encodeName(folders.importFolder());
}

// SIGINT or SIGTERM cancels the import, which then leaves the folder as it was.
volatile std::sig_atomic_t g_stopSignal = 0;

void stopOnSignal(int signal) {
    g_stopSignal = signal;
}

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = stopOnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND; // a second one ends the tool at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// The folder as given, without a trailing slash or "." parts.
QByteArray cleanFolder(const QByteArray& folder) {
    QByteArray clean = folder;
    while (clean.size() > 1 && clean.endsWith('/'))
        clean.chop(1);
    while (clean.startsWith("./") && clean.size() > 2)
        clean = clean.mid(2);
    return clean;
}

// A bar redrawn in place on a terminal; nothing on a pipe or a file.
class ProgressBar {
public:
    ProgressBar()
        : m_shown(isatty(STDERR_FILENO) != 0) {}
    bool update(const ImportProgressInfo& info) {
        if (!m_shown)
            return true;
        const qint64 total = std::max(info.totalMs, info.doneMs);
        const int percent = total > 0 ? static_cast<int>(info.doneMs * 100 / total) : 0;
        const int lessons = info.findingWords ? -2 : info.lessonsDone;
        if (percent == m_percent && lessons == m_lessons)
            return true;
        m_percent = percent;
        m_lessons = lessons;
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%  ", QByteArray(filled, '#').constData(),
                     QByteArray(kWidth - filled, '-').constData(), percent);
        if (info.findingWords)
            std::fprintf(stderr, "words of %d lines   ", info.lessonsPlanned);
        else
            std::fprintf(stderr, "%d/%d lessons        ", info.lessonsDone, info.lessonsPlanned);
        std::fflush(stderr);
        return true;
    }
    void end() {
        if (m_shown && m_percent >= 0)
            std::fputs("\n", stderr);
    }

private:
    bool m_shown;
    int m_percent = -1;
    int m_lessons = -1;
};

int exitStatus(ImportOutcome outcome) {
    switch (outcome) {
    case ImportOutcome::Done:
        return 0;
    case ImportOutcome::NoSubtitles:
        return 2;
    case ImportOutcome::NameTaken:
    case ImportOutcome::Busy:
    case ImportOutcome::Cancelled:
    case ImportOutcome::Failed:
        return 1;
    }
    return 1;
}

// A limit of --max-words or --max-seconds; false when it is no number for it.
bool readLimit(const QByteArray& option, const QByteArray& value, PhraseLimits* limits) {
    bool ok = false;
    if (option == "--max-words") {
        const int words = value.toInt(&ok);
        ok = ok && words >= 0;
        limits->maxWords = ok ? words : limits->maxWords;
        return ok;
    }
    const double seconds = value.toDouble(&ok);
    ok = ok && seconds > 0 && seconds < 1e6;
    limits->maxSeconds = ok ? seconds : limits->maxSeconds;
    return ok;
}

// The options into request and the file names into files; a usage message when wrong.
QString readArguments(const QList<QByteArray>& args, ImportRequest* request,
                      QList<QByteArray>* files, bool* wordsOnly) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QByteArray& arg = args.at(i);
        const bool valued =
            arg == "--into" || arg == "--name" || arg == "--max-words" || arg == "--max-seconds";
        if (arg == "--replace") {
            request->replace = true;
        } else if (arg == "--words-only") {
            *wordsOnly = true;
        } else if (valued) {
            if (i + 1 >= args.size() || args.at(i + 1).isEmpty())
                return ImportText::tr("%1 needs a value").arg(QLatin1String(arg));
            const QByteArray& value = args.at(++i);
            if (arg == "--into" || arg == "--name")
                (arg == "--into" ? request->folder : request->name) = value;
            else if (!readLimit(arg, value, &request->phrases))
                return ImportText::tr("%1 takes a number, not %2")
                    .arg(QLatin1String(arg), fileNameText(value));
        } else if (arg.startsWith("--")) {
            return ImportText::tr("unknown option %1").arg(fileNameText(arg));
        } else {
            *files << arg;
        }
    }
    return {};
}

} // namespace

int runImport(const QList<QByteArray>& args, const TranscriptImporter& transcripts,
              const WordFinder& findWords) {
    ImportRequest request;
    request.findWords = findWords;
    QList<QByteArray> files;
    bool wordsOnly = false;
    if (const QString wrong = readArguments(args, &request, &files, &wordsOnly); !wrong.isEmpty())
        return usage(wrong);
    if (wordsOnly) {
        if (files.size() != 1 || !request.folder.isEmpty() || !request.name.isEmpty())
            return usage(ImportText::tr("--words-only takes one lesson folder and no other file"));
        return runWordsOnly(cleanFolder(files.at(0)), findWords);
    }
    if (files.isEmpty() || files.size() > 2)
        return usage(files.isEmpty() ? ImportText::tr("no media file given")
                                     : ImportText::tr("too many files given"));
    request.media = files.at(0);
    request.subtitles = files.value(1);
    if (request.folder.isEmpty())
        request.folder = defaultFolder();
    request.folder = cleanFolder(request.folder);
    for (const QString& problem : recoverInterruptedImports(request.folder))
        say(stderr, ImportText::tr("hearvex-lesson import: warning: %1").arg(problem));

    // FFmpeg's own chatter would bury the one line that says what went wrong.
    av_log_set_level(AV_LOG_QUIET);
    catchStopSignals();
    ProgressBar bar;
    const ImportProgress progress = [&](const ImportProgressInfo& info) {
        return g_stopSignal == 0 && bar.update(info);
    };
    std::optional<ImportResult> fromTranscript;
    if (transcripts)
        fromTranscript = transcripts(request, progress);
    const ImportResult result = fromTranscript ? *fromTranscript : importMedia(request, progress);
    bar.end();
    if (result.outcome == ImportOutcome::Cancelled && g_stopSignal != 0) {
        say(stderr, ImportText::tr("hearvex-lesson import: stopped; nothing changed"));
        return 128 + g_stopSignal;
    }
    for (const QString& warning : result.warnings)
        say(stderr, ImportText::tr("hearvex-lesson import: warning: %1").arg(warning));
    if (result.outcome != ImportOutcome::Done) {
        say(stderr, ImportText::tr("hearvex-lesson import: %1").arg(result.message));
        return exitStatus(result.outcome);
    }
    const qsizetype written = result.lessons.size();
    say(stdout, written == 1
                    ? ImportText::tr("1 lesson written to %1").arg(result.folder)
                    : ImportText::tr("%1 lessons written to %2").arg(written).arg(result.folder));
    // Kept, but their words were found with little confidence: the learner may check them.
    for (const QString& lesson : result.uncertain)
        say(stdout, ImportText::tr("  %1: alignment uncertain").arg(lesson));
    // Part of a transcript was not heard and left out: scripts must notice.
    return result.partial ? 4 : 0;
}

} // namespace hearvex::lessons
