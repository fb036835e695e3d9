// A word heard alone: its part of the lesson's recording, cut by its times
// and played at the learner's speed with the pitch kept.
#pragma once

#include "sound_clip.h"

#include <QByteArray>
#include <QString>

namespace hearvex::words {

// Sound kept before and after a word's times: an aligner's edges are tight,
// and a word's first and last sounds are soft.
inline constexpr int kClipMarginMs = 40;
// The fade at both ends of a clip, so it starts and stops without a click.
inline constexpr int kClipFadeMs = 8;

// The part startMs..endMs of the recording named by the bytes of its path,
// with the margins and fades, time-stretched to speedPercent (50..200, pitch
// kept; 100 leaves it as it is). False with a message when the recording
// cannot be read or holds no sound there.
bool readWordClip(const QByteArray& path, qint64 startMs, qint64 endMs, int speedPercent,
                  SoundClip* clip, QString* error);

// The clip played at speedPercent: longer below 100, shorter above.
SoundClip stretchClip(const SoundClip& clip, int speedPercent);

} // namespace hearvex::words
