// Any media's first audio stream as the aligner hears it: 16 kHz mono 16-bit
// samples, read with FFmpeg through the import's decoder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

namespace hearvex::lessons {

// 0..1 of the media read; false cancels.
using PcmProgress = std::function<bool(double fraction)>;

// path: the bytes of the file name. False with a message when the media cannot
// be read; false with *error empty when cancelled. Frame n of the result is at
// n / 16000 s of the media.
bool readSpeechPcm(const QByteArray& path, std::vector<qint16>* pcm, QString* error,
                   const PcmProgress& progress = {});

} // namespace hearvex::lessons
