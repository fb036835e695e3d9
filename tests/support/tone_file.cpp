#include "tone_file.h"

#include <algorithm>
#include <cmath>
#include <sndfile.h>
#include <vector>

namespace hearvex::testing {

bool writeTone(const QString& path, const ToneSpec& tone) {
    SF_INFO info{};
    info.samplerate = tone.sampleRate;
    info.channels = tone.channels;
    info.format =
        tone.mp3 ? (SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III) : (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    SNDFILE* file = sf_open(path.toUtf8().constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const double step = 2 * M_PI * tone.frequencyHz / tone.sampleRate;
    const sf_count_t total = sf_count_t(tone.seconds * tone.sampleRate);
    std::vector<float> block(static_cast<size_t>(tone.sampleRate) * tone.channels);
    bool written = true;
    for (sf_count_t start = 0; start < total && written; start += tone.sampleRate) {
        const sf_count_t frames = std::min<sf_count_t>(tone.sampleRate, total - start);
        for (sf_count_t i = 0; i < frames; ++i) {
            const float v = tone.amplitude * float(std::sin(step * double(start + i)));
            for (int c = 0; c < tone.channels; ++c)
                block[size_t(i) * tone.channels + c] = v;
        }
        written = sf_writef_float(file, block.data(), frames) == frames;
    }
    return sf_close(file) == 0 && written;
}

} // namespace hearvex::testing
