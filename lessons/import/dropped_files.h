// What a drop of files on the lesson library imports: one recording, with the
// subtitle file dropped beside it when there is one. No widgets.
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex::lessons {

// A subtitle file the import reads by its name: .srt .vtt .lrc .ass .ssa, any case.
bool isSubtitleFileName(const QString& path);

// A .txt that holds text (a transcript, or subtitles under that name) rather
// than sound, as lesson recordings named .txt do: no NUL in its first bytes.
bool isTextFile(const QString& path);

struct DroppedFiles {
    enum class Problem {
        None,
        NoMedia,          // only subtitle files (or nothing) were dropped
        SeveralMedia,     // which one is meant cannot be told
        SeveralSubtitles, // nor which subtitles go with it
    };
    Problem problem = Problem::None;
    QString media;
    QString subtitles; // or a .txt transcript; empty: the import looks beside the media,
                       // then inside it
};

// Sorts the dropped files (paths of existing files, in the drop's order).
DroppedFiles sortDroppedFiles(const QStringList& paths);

} // namespace hearvex::lessons
