// Subtitle cues read with FFmpeg (paths as the bytes of their names): from a subtitle file (SubRip,
// WebVTT, LRC, ASS/SSA) or from the first text subtitle stream inside a media file.
#pragma once

#include "subtitle_cue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::lessons {

struct SubtitleRead {
    bool found = false;   // a subtitle stream was there to read
    QString error;        // why it could not be read; empty on success
    QStringList warnings; // blocks skipped as unreadable, each naming its place
    std::vector<Cue> cues;
};

// A subtitle file in UTF-8, UTF-16 with a byte-order mark, or GB18030.
SubtitleRead readSubtitleFile(const QByteArray& path);

// The first mov_text, SubRip, WebVTT, ASS or plain-text subtitle stream of a
// media file; found is false when it has none.
SubtitleRead readEmbeddedSubtitles(const QByteArray& mediaPath);

// The subtitle file beside a media file: its name less the last extension,
// with .srt, .vtt, .lrc, .ass or .ssa (either case). Empty when there is none.
QByteArray siblingSubtitleFile(const QByteArray& mediaPath);

} // namespace hearvex::lessons
