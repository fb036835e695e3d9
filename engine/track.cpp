#include "track.h"

#include "id3_tags.h"
#include "media_source.h"
#include "mpeg_frames.h"
#include "ogg_length.h"
#include "tag_text.h"
#include "vbmp3.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vbmp3 {
namespace {

constexpr std::int32_t kMaxChannels = 64;
constexpr std::int32_t kMinSampleRate = 1000;
constexpr std::int32_t kMaxSampleRate = 768000;
// More frames than a day at the highest rate: a stream of unknown length.
constexpr std::int64_t kUnknownFrames = std::int64_t{1} << 40;
// libmpg123 decodes from the frame it seeks to without the frames before it,
// which a Layer III frame's bit reservoir and overlap draw on: up to a tenth
// of a second after every seek comes out silent or wrong. A seek decodes from
// this far back and drops the lead-in, so it gives what a straight read
// does; 16 MPEG-1 frames (32 at the low rates) cover the reservoir's reach at
// any bit rate, and decode in about a millisecond.
constexpr std::int64_t kMpegLeadInFrames = 16 * 1152;

// Bits per sample of the uncompressed encodings; 0 for the rest.
int pcmBits(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
        return 8;
    case SF_FORMAT_PCM_16:
        return 16;
    case SF_FORMAT_PCM_24:
        return 24;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
        return 32;
    case SF_FORMAT_DOUBLE:
        return 64;
    default:
        return 0;
    }
}

bool readAt(int fd, off_t offset, unsigned char* buffer, std::size_t size) {
    return pread(fd, buffer, size, offset) == static_cast<ssize_t>(size);
}

// Bytes of ID3 tags around the audio, which do not count toward the bit rate.
std::int64_t tagBytes(int fd, std::int64_t fileBytes) {
    std::int64_t bytes = 0;
    std::array<unsigned char, 10> head{};
    if (readAt(fd, 0, head.data(), head.size()) && std::memcmp(head.data(), "ID3", 3) == 0) {
        const std::int64_t size = (std::int64_t{head[6]} & 0x7F) << 21 |
                                  (std::int64_t{head[7]} & 0x7F) << 14 |
                                  (std::int64_t{head[8]} & 0x7F) << 7 | (head[9] & 0x7F);
        const bool footer = head[5] & 0x10;
        bytes += 10 + size + (footer ? 10 : 0);
    }
    std::array<unsigned char, 3> tail{};
    if (fileBytes >= 128 && readAt(fd, fileBytes - 128, tail.data(), tail.size()) &&
        std::memcmp(tail.data(), "TAG", 3) == 0)
        bytes += 128;
    return std::min(bytes, fileBytes);
}

std::int32_t averageKbps(int format, const SF_INFO& info, int fd, std::int64_t fileBytes) {
    if (const int bits = pcmBits(format);
        bits > 0 && (format & SF_FORMAT_TYPEMASK) != SF_FORMAT_FLAC)
        return static_cast<std::int32_t>(
            std::llround(double(info.samplerate) * info.channels * bits / 1000.0));
    const double seconds = double(info.frames) / info.samplerate;
    if (seconds <= 0.0)
        return 0;
    const double audioBytes = double(fileBytes - tagBytes(fd, fileBytes));
    return static_cast<std::int32_t>(
        std::min<long long>(std::llround(audioBytes * 8.0 / seconds / 1000.0), INT32_MAX));
}

std::string tagOf(SNDFILE* file, int which, bool declaredUtf8) {
    const char* text = sf_get_string(file, which);
    if (!text)
        return {};
    return declaredUtf8 ? textFromUtf8Tag(text) : tagTextToUtf8(text);
}

// libsndfile's access to a FileView: the file from view.start on.
SF_VIRTUAL_IO viewIo() {
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void* data) -> sf_count_t { return static_cast<FileView*>(data)->size; };
    io.seek = [](sf_count_t offset, int whence, void* data) -> sf_count_t {
        auto* view = static_cast<FileView*>(data);
        const sf_count_t base = whence == SEEK_CUR   ? view->pos
                                : whence == SEEK_END ? view->size
                                                     : 0;
        view->pos = std::clamp<sf_count_t>(base + offset, 0, view->size);
        return view->pos;
    };
    io.read = [](void* out, sf_count_t count, void* data) -> sf_count_t {
        auto* view = static_cast<FileView*>(data);
        count = std::clamp<sf_count_t>(view->size - view->pos, 0, count);
        const ssize_t got =
            pread(view->fd, out, static_cast<std::size_t>(count), view->start + view->pos);
        if (got <= 0)
            return 0;
        view->pos += got;
        return got;
    };
    io.write = [](const void*, sf_count_t, void*) -> sf_count_t { return 0; };
    io.tell = [](void* data) -> sf_count_t { return static_cast<FileView*>(data)->pos; };
    return io;
}

} // namespace

std::unique_ptr<Track> Track::open(const char* path, std::int32_t& error) {
    error = VBMP3_ERR_CANNOT_READ;
    // O_NONBLOCK so that a FIFO cannot hang the caller; refused just below.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<Track> track(new Track());
    track->m_fd = fd;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return nullptr;
    unsigned char probe = 0;
    if (st.st_size > 0 && pread(fd, &probe, 1, 0) != 1)
        return nullptr; // exists but cannot be read (e.g. an I/O error)

    error = VBMP3_ERR_NOT_AUDIO;
    if (st.st_size == 0)
        return nullptr;
    // FFmpeg before the search for MP3 frames: a film's MP3 sound (an AVI, a
    // Matroska file) is found by its container, not read across the video.
    SF_INFO info{};
    if (track->openWithSndfile(st.st_size, info, false)) {
        track->takeSndfileFacts(info, st.st_size);
    } else if ((track->m_media = openMedia(fd, st.st_size))) {
        track->m_facts = track->m_media->facts();
    } else if (track->openWithSndfile(st.st_size, info, true)) {
        track->takeSndfileFacts(info, st.st_size);
    } else {
        return nullptr;
    }
    if (track->m_facts.title.empty())
        track->m_facts.title = tagTextToUtf8(fileNameOf(path));
    error = VBMP3_ERR_NONE;
    return track;
}

// Through a view of the descriptor, so libsndfile has no file name to guess a
// format from (the content alone decides), and a refusal leaves the
// descriptor open (sf_open_fd closes it). fromFirstMpegFrame: an MP3 that
// players accept but libsndfile cannot place (junk before the first frame,
// an ID3 size that lies, a damaged first frame) is given from the first good
// frame on.
bool Track::openWithSndfile(std::int64_t fileBytes, SF_INFO& info, bool fromFirstMpegFrame) {
    std::int64_t start = 0;
    if (fromFirstMpegFrame && (start = mpegAudioStart(m_fd, fileBytes)) <= 0)
        return false;
    SF_VIRTUAL_IO io = viewIo();
    m_view = FileView{m_fd, start, fileBytes - start, 0};
    info = SF_INFO{};
    if (openDecoder(sf_open_virtual(&io, SFM_READ, &info, &m_view), info, fileBytes))
        return true;
    if (m_file)
        sf_close(m_file);
    m_file = nullptr;
    return false;
}

void Track::takeSndfileFacts(const SF_INFO& info, std::int64_t fileBytes) {
    m_facts.bitRateKbps = averageKbps(info.format, info, m_fd, fileBytes);
    const int type = info.format & SF_FORMAT_TYPEMASK;
    if (type == SF_FORMAT_MPEG) {
        Id3Text id3 = readId3(m_fd, fileBytes);
        m_facts.title = std::move(id3.title);
        m_facts.artist = std::move(id3.artist);
    } else {
        // Vorbis comments (FLAC, Ogg, Opus) are UTF-8 by definition; other
        // containers' text (WAV INFO) declares no encoding.
        const bool utf8 = type == SF_FORMAT_FLAC || type == SF_FORMAT_OGG;
        m_facts.title = tagOf(m_file, SF_STR_TITLE, utf8);
        m_facts.artist = tagOf(m_file, SF_STR_ARTIST, utf8);
    }
}

bool Track::openDecoder(SNDFILE* file, SF_INFO& info, std::int64_t fileBytes) {
    if (m_file)
        sf_close(m_file);
    m_file = file;
    if (!file)
        return false;
    // Rates outside what any recording uses are a damaged header; a few Hz
    // would stall the output for minutes per block.
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < kMinSampleRate ||
        info.samplerate > kMaxSampleRate || info.frames < 1)
        return false;
    m_lengthFromScan = false;
    if (info.frames >= kUnknownFrames) {
        // An endless stream: an Ogg file cut short (no last page). Its length
        // is what its last whole page reaches, else as far as a seek gets.
        std::int64_t frames = -1;
        if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_OGG)
            frames = oggFramesFromPages(m_fd, fileBytes, info.samplerate);
        if (frames < 1)
            frames = sf_seek(file, kUnknownFrames - 1, SEEK_SET);
        if (frames < 1 || frames >= kUnknownFrames || sf_seek(file, 0, SEEK_SET) != 0)
            return false;
        info.frames = frames;
        m_lengthFromScan = true;
    }
    m_decodesWithLeadIn = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG;
    m_facts.channels = info.channels;
    m_facts.sampleRate = info.samplerate;
    m_facts.frameCount = info.frames;
    m_scratch.assign(info.channels > 2 ? std::size_t(info.channels) * 1024 : 0, 0.0f);
    m_readFrame = 0;
    // A header that parses is not enough: a damaged stream may decode nothing.
    std::array<float, 2 * 256> first{};
    return read(first.data(), 256) >= 1 && seek(0);
}

Track::~Track() {
    m_media.reset(); // reads through m_fd
    if (m_file)
        sf_close(m_file);
    if (m_fd >= 0)
        ::close(m_fd);
}

std::int64_t Track::read(float* stereo, std::int64_t frameCount) {
    if (m_media)
        return m_media->read(stereo, frameCount);
    if (m_lengthFromScan) // what lies past the last whole page is not the track
        frameCount = std::clamp<std::int64_t>(m_facts.frameCount - m_readFrame, 0, frameCount);
    const std::int64_t got = readStereo(stereo, frameCount);
    m_readFrame += got;
    // NaN or infinity in a float file would poison the wave and the spectrum:
    // they play as silence.
    for (std::int64_t i = 0; i < 2 * got; ++i)
        if (!std::isfinite(stereo[i]))
            stereo[i] = 0.0f;
    return got;
}

std::int64_t Track::readStereo(float* stereo, std::int64_t frameCount) {
    const int channels = m_facts.channels;
    if (frameCount <= 0)
        return 0;
    if (channels == 2)
        return std::max<sf_count_t>(0, sf_readf_float(m_file, stereo, frameCount));
    if (channels == 1) {
        const sf_count_t got = std::max<sf_count_t>(0, sf_readf_float(m_file, stereo, frameCount));
        for (sf_count_t i = got; i-- > 0;) // back to front: widen in place
            stereo[2 * i] = stereo[2 * i + 1] = stereo[i];
        return got;
    }
    const std::int64_t chunk = std::int64_t(m_scratch.size()) / channels;
    std::int64_t done = 0;
    while (done < frameCount) {
        const sf_count_t want = std::min(chunk, frameCount - done);
        const sf_count_t got = sf_readf_float(m_file, m_scratch.data(), want);
        for (sf_count_t i = 0; i < got; ++i) {
            stereo[2 * (done + i)] = m_scratch[std::size_t(i * channels)];
            stereo[2 * (done + i) + 1] = m_scratch[std::size_t(i * channels + 1)];
        }
        done += std::max<sf_count_t>(0, got);
        if (got < want)
            break;
    }
    return done;
}

bool Track::seek(std::int64_t frame) {
    if (m_media)
        return m_media->seek(frame);
    if (frame < 0 || (m_lengthFromScan && frame >= m_facts.frameCount))
        return false;
    const std::int64_t from =
        m_decodesWithLeadIn ? std::max<std::int64_t>(0, frame - kMpegLeadInFrames) : frame;
    if (sf_seek(m_file, from, SEEK_SET) != from) {
        m_readFrame = frame;
        return false;
    }
    m_readFrame = from;
    return skip(frame - from);
}

bool Track::skip(std::int64_t frameCount) {
    std::array<float, 2 * 1024> discard{};
    while (frameCount > 0) {
        const std::int64_t want = std::min<std::int64_t>(frameCount, 1024);
        if (read(discard.data(), want) != want)
            return false;
        frameCount -= want;
    }
    return true;
}

} // namespace vbmp3
