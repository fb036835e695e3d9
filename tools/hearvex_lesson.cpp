// hearvex-lesson: writes, reads and checks the lessons of the Hearvex lesson folder.
//
//   hearvex-lesson encode PLAIN.txt OUT.kvx   plain text (UTF-8) -> lesson text file
//   hearvex-lesson decode IN.kvx [OUT.txt]    lesson text file -> plain text (UTF-8)
//   hearvex-lesson check FOLDER               each lesson in the program's order, and its faults
//   hearvex-lesson import MEDIA [SUBTITLES]   one lesson per subtitle cue (see import_command.h)
#include "import_command.h"
#include "lesson_check.h"
#include "lesson_file.h"
#include "plain_text.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <cstdio>
#include <sndfile.h>

using namespace hearvex::lessons;

namespace {

void say(FILE* to, const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), to);
}

int fail(const QString& message) {
    say(stderr, QStringLiteral("hearvex-lesson: ") + message);
    return 1;
}

int usage() {
    say(stderr,
        QStringLiteral(
            "usage:\n"
            "  hearvex-lesson encode PLAIN.txt OUT.kvx   write a lesson text file from UTF-8 text\n"
            "  hearvex-lesson decode IN.kvx [OUT.txt]    show (or write) a lesson's text as UTF-8\n"
            "  hearvex-lesson check FOLDER               list a lesson folder in the program's "
            "order\n"
            "                                            and report what is wrong with each "
            "lesson\n"
            "  hearvex-lesson import MEDIA [SUBTITLES] [--into FOLDER] [--name NAME] [--replace]\n"
            "                                            one lesson per subtitle cue"));
    return 2;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

// Line breaks as the lesson format writes them (CR LF), without trailing ones.
QString lessonLines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

int encode(const QString& in, const QString& out) {
    QFile file(in);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(in, file.errorString()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString plain = utf8.decode(file.readAll());
    if (utf8.hasError())
        return fail(QStringLiteral("%1 is not UTF-8 text").arg(in));
    if (plain.startsWith(QChar(0xFEFF)))
        plain.remove(0, 1);
    plain = lessonLines(plain);
    if (const qsizetype at = firstUnencodable(plain); at >= 0) {
        const qsizetype lineStart = at == 0 ? 0 : plain.lastIndexOf(QLatin1Char('\n'), at - 1) + 1;
        return fail(QStringLiteral("%1:%2:%3: the character \"%4\" cannot be written in GBK")
                        .arg(in)
                        .arg(plain.left(at).count(QLatin1Char('\n')) + 1)
                        .arg(at - lineStart + 1)
                        .arg(plain.mid(at, plain.at(at).isHighSurrogate() ? 2 : 1)));
    }
    if (hearvex::text::firstLineOf(plain).trimmed().isEmpty())
        return fail(
            QStringLiteral("%1: the first line (the sentence to dictate) is empty").arg(in));
    if (plain.contains(QLatin1String(kLessonKey)))
        say(stderr, QStringLiteral(
                        "hearvex-lesson: warning: \"%1\" in %2 is dropped when the lesson is read")
                        .arg(QLatin1String(kLessonKey), in));
    const QByteArray bytes = encipherLessonText(plain);
    if (bytes.size() > kMaxLessonTextBytes)
        return fail(QStringLiteral("%1 makes %2 bytes; a lesson text holds at most %3")
                        .arg(in)
                        .arg(bytes.size())
                        .arg(kMaxLessonTextBytes));
    QString error;
    if (!writeFile(out, bytes, &error))
        return fail(QStringLiteral("cannot write %1: %2").arg(out, error));
    return 0;
}

int decode(const QString& in, const QString& out) {
    const LessonText lesson = readLessonText(in);
    switch (lesson.status) {
    case LessonTextStatus::Read:
        break;
    case LessonTextStatus::Missing:
        return fail(QStringLiteral("%1: no such file").arg(in));
    case LessonTextStatus::Unreadable:
        return fail(QStringLiteral("%1: cannot be read").arg(in));
    case LessonTextStatus::TooLarge:
        return fail(QStringLiteral("%1: over %2 bytes, not a lesson text")
                        .arg(in)
                        .arg(kMaxLessonTextBytes));
    }
    QString text = lesson.text;
    if (out.isEmpty()) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        say(stdout, text);
        return 0;
    }
    QString error;
    if (!writeFile(out, (text + QLatin1String("\r\n")).toUtf8(), &error))
        return fail(QStringLiteral("cannot write %1: %2").arg(out, error));
    return 0;
}

// What the engine's decoder says about a recording.
QString probeRecording(const QString& path) {
    SF_INFO info{};
    SNDFILE* sf = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!sf)
        return QStringLiteral("not a recording the program can play (%1)")
            .arg(QString::fromUtf8(sf_strerror(nullptr)));
    sf_close(sf);
    if (info.frames <= 0 || info.samplerate <= 0)
        return QStringLiteral("holds no sound");
    return {};
}

int check(const QString& folder) {
    const FolderReport report = checkLessonFolder(folder, probeRecording);
    if (!report.folderExists)
        return fail(QStringLiteral("%1: no such folder").arg(folder));
    if (report.lessons.empty())
        say(stdout, QStringLiteral("%1: no lessons (no *.txt recordings)").arg(folder));
    int faulty = 0;
    for (const LessonReport& lesson : report.lessons) {
        say(stdout, QStringLiteral("%1  %2  %3")
                        .arg(lesson.number, 3)
                        .arg(lesson.recording, lesson.sentence));
        for (const QString& problem : lesson.problems)
            say(stdout, QStringLiteral("     ! %1").arg(problem));
        faulty += lesson.problems.isEmpty() ? 0 : 1;
    }
    for (const QString& stray : report.strayTexts)
        say(stdout, QStringLiteral("     ! %1: a text without a recording").arg(stray));
    if (faulty == 0 && report.strayTexts.isEmpty()) {
        say(stdout, QStringLiteral("%1 lessons, all complete").arg(report.lessons.size()));
        return 0;
    }
    say(stdout, QStringLiteral("%1 of %2 lessons have faults; %3 stray texts")
                    .arg(faulty)
                    .arg(report.lessons.size())
                    .arg(report.strayTexts.size()));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString command = args.value(0);
    if (command == QLatin1String("encode") && args.size() == 3)
        return encode(args[1], args[2]);
    if (command == QLatin1String("decode") && (args.size() == 2 || args.size() == 3))
        return decode(args[1], args.value(2));
    if (command == QLatin1String("check") && args.size() == 2)
        return check(args[1]);
    if (command == QLatin1String("import"))
        return hearvex::lessons::runImport(args.mid(1));
    return usage();
}
