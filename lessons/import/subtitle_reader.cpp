#include "subtitle_reader.h"

#include "av_util.h"
#include "cue_text.h"
#include "import_text.h"
#include "lesson_list.h"
#include "subtitle_charset.h"
#include "subtitle_parsers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hearvex::lessons {

namespace {

bool isTextSubtitle(AVCodecID id) {
    return id == AV_CODEC_ID_MOV_TEXT || id == AV_CODEC_ID_SUBRIP || id == AV_CODEC_ID_WEBVTT ||
           id == AV_CODEC_ID_ASS || id == AV_CODEC_ID_SSA || id == AV_CODEC_ID_TEXT;
}

int firstTextSubtitleStream(const AVFormatContext* format) {
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters* par = format->streams[i]->codecpar;
        if (par->codec_type == AVMEDIA_TYPE_SUBTITLE && isTextSubtitle(par->codec_id))
            return static_cast<int>(i);
    }
    return -1;
}

QString packetText(const AVPacket* packet) {
    const auto* data = reinterpret_cast<const char*>(packet->data);
    return QString::fromUtf8(data, static_cast<qsizetype>(strnlen(data, packet->size)));
}

// mov_text samples are binary (a length, the text, style boxes): its decoder
// turns them into ASS events.
QString decodedText(AVCodecContext* decoder, AVPacket* packet) {
    AVSubtitle subtitle{};
    int got = 0;
    if (avcodec_decode_subtitle2(decoder, &subtitle, &got, packet) < 0 || !got)
        return {};
    QStringList lines;
    for (unsigned i = 0; i < subtitle.num_rects; ++i)
        if (subtitle.rects[i]->ass)
            lines << assEventText(QString::fromUtf8(subtitle.rects[i]->ass));
    avsubtitle_free(&subtitle);
    return lines.join(QLatin1String("\\N"));
}

// Every packet of the stream as a cue, times from the media's start.
SubtitleRead readStream(AVFormatContext* format, int index) {
    SubtitleRead read;
    read.found = true;
    AVStream* stream = format->streams[index];
    for (unsigned i = 0; i < format->nb_streams; ++i)
        format->streams[i]->discard =
            static_cast<int>(i) == index ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    av::Codec decoder;
    const AVCodecID id = stream->codecpar->codec_id;
    if (id == AV_CODEC_ID_MOV_TEXT && !(decoder = av::openDecoder(stream, &read.error)))
        return read;
    const qint64 originMs = format->start_time == AV_NOPTS_VALUE ? 0 : format->start_time / 1000;
    av::Packet packet(av_packet_alloc());
    int rc = 0;
    while ((rc = av_read_frame(format, packet.get())) >= 0) {
        if (packet->stream_index == index) {
            const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            if (pts != AV_NOPTS_VALUE) {
                Cue cue;
                cue.startMs = av_rescale_q(pts, stream->time_base, {1, 1000}) - originMs;
                if (packet->duration > 0)
                    cue.endMs =
                        cue.startMs + av_rescale_q(packet->duration, stream->time_base, {1, 1000});
                cue.text =
                    decoder ? decodedText(decoder.get(), packet.get()) : packetText(packet.get());
                if (id == AV_CODEC_ID_ASS || id == AV_CODEC_ID_SSA)
                    cue.text = assEventText(cue.text);
                read.cues.push_back(cue);
            }
        }
        av_packet_unref(packet.get());
    }
    if (rc != AVERROR_EOF && read.cues.empty())
        read.error = av::errorText(rc);
    return read;
}

// The whole of a file that should be small: a video given by mistake is
// not read whole. Empty when read, else why not.
QString readSmallFile(const QByteArray& name, QByteArray* bytes) {
    // A film's subtitles are a few hundred kilobytes.
    constexpr qint64 kMaxSubtitleBytes = 64 << 20;
    const QString path = fileNameText(name);
    struct stat info {};
    const bool found = ::stat(name.constData(), &info) == 0;
    if (!found || !S_ISREG(info.st_mode))
        return ImportText::tr("cannot read %1: %2")
            .arg(path, found ? ImportText::tr("not a file") : ImportText::tr("no such file"));
    if (info.st_size > kMaxSubtitleBytes)
        return ImportText::tr("%1 is too large to be subtitles").arg(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return ImportText::tr("cannot read %1: %2").arg(path, why);
    }
    *bytes = file.read(kMaxSubtitleBytes);
    return {};
}

// A NUL has no place in subtitles: the file is damaged there. Removed, said once.
QString withoutNuls(QString text, QStringList* warnings) {
    const qsizetype at = text.indexOf(QChar(0));
    if (at < 0)
        return text;
    *warnings << ImportText::tr("line %1: %2 NUL bytes (the file may be damaged there); removed")
                     .arg(text.left(at).count(QLatin1Char('\n')) + 1)
                     .arg(text.count(QChar(0)));
    return text.remove(QChar(0));
}

SubtitleRead readSubtitleText(const QByteArray& utf8) {
    SubtitleRead read;
    read.found = true;
    const QString text = withoutNuls(QString::fromUtf8(utf8), &read.warnings);
    ParsedSubtitles parsed;
    switch (subtitleKind(text)) {
    case SubtitleKind::Ass:
        parsed = parseAss(text);
        break;
    case SubtitleKind::WebVtt:
        parsed = parseWebVtt(text);
        break;
    case SubtitleKind::SubRip:
        parsed = parseSubRip(text);
        break;
    case SubtitleKind::Lrc:
        parsed = parseLrc(text);
        break;
    case SubtitleKind::Unknown:
        read.error = ImportText::tr("neither SubRip, WebVTT, LRC nor ASS");
        return read;
    }
    read.cues = std::move(parsed.cues);
    read.warnings += parsed.warnings;
    if (read.cues.empty())
        read.error = ImportText::tr("no cue in it could be read");
    return read;
}

} // namespace

SubtitleRead readSubtitleFile(const QByteArray& name) {
    SubtitleRead read;
    read.found = true;
    const QString path = fileNameText(name);
    QByteArray bytes;
    if (const QString why = readSmallFile(name, &bytes); !why.isEmpty()) {
        read.error = why;
        return read;
    }
    if (bytes.trimmed().isEmpty()) {
        read.error = ImportText::tr("%1 is empty").arg(path);
        return read;
    }
    read = readSubtitleText(subtitleTextAsUtf8(bytes));
    if (!read.error.isEmpty())
        read.error = ImportText::tr("%1: not a subtitle file (%2)").arg(path, read.error);
    return read;
}

SubtitleRead readEmbeddedSubtitles(const QByteArray& media) {
    SubtitleRead read;
    const QString mediaPath = fileNameText(media);
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, media.constData(), nullptr, nullptr) < 0)
        return read;
    av::Input input(raw);
    if (avformat_find_stream_info(input.get(), nullptr) < 0)
        return read;
    const int index = firstTextSubtitleStream(input.get());
    if (index < 0)
        return read;
    read = readStream(input.get(), index);
    if (!read.error.isEmpty())
        read.error =
            ImportText::tr("%1: its subtitles cannot be read (%2)").arg(mediaPath, read.error);
    return read;
}

QByteArray siblingSubtitleFile(const QByteArray& media) {
    const qsizetype slash = media.lastIndexOf('/');
    const qsizetype dot = media.lastIndexOf('.');
    const QByteArray stem = dot > slash + 1 ? media.left(dot) : media;
    for (const char* extension : {"srt", "vtt", "lrc", "ass", "ssa"}) {
        for (const QByteArray& suffix : {QByteArray(extension), QByteArray(extension).toUpper()}) {
            const QByteArray candidate = stem + '.' + suffix;
            struct stat info {};
            if (::stat(candidate.constData(), &info) == 0 && S_ISREG(info.st_mode))
                return candidate;
        }
    }
    return {};
}

} // namespace hearvex::lessons
