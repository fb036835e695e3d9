#include "dropped_files.h"

#include "import_media.h"

#include <QFile>
#include <QFileInfo>

namespace hearvex::lessons {

QByteArray defaultLessonName(const QByteArray& media) {
    const QByteArray file = media.mid(media.lastIndexOf('/') + 1);
    const qsizetype dot = file.lastIndexOf('.');
    return dot > 0 ? file.left(dot) : file;
}

bool isSubtitleFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const char* known : {"srt", "vtt", "lrc", "ass", "ssa"})
        if (suffix == QLatin1String(known))
            return true;
    return false;
}

bool isTextFile(const QString& path) {
    if (QFileInfo(path).suffix().toLower() != QLatin1String("txt"))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4096);
    const bool utf16 = head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF");
    return !head.trimmed().isEmpty() && (utf16 || !head.contains('\0'));
}

DroppedFiles sortDroppedFiles(const QStringList& paths) {
    QStringList media;
    QStringList subtitles;
    for (const QString& path : paths)
        (isSubtitleFileName(path) || isTextFile(path) ? subtitles : media) << path;
    DroppedFiles dropped;
    if (media.isEmpty())
        dropped.problem = DroppedFiles::Problem::NoMedia;
    else if (media.size() > 1)
        dropped.problem = DroppedFiles::Problem::SeveralMedia;
    else if (subtitles.size() > 1)
        dropped.problem = DroppedFiles::Problem::SeveralSubtitles;
    else {
        dropped.media = media.first();
        dropped.subtitles = subtitles.value(0);
    }
    return dropped;
}

} // namespace hearvex::lessons
