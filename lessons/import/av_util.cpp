#include "av_util.h"
#include "import_text.h"

namespace hearvex::lessons::av {

Codec openDecoder(const AVStream* stream, QString* error) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) {
        *error = ImportText::tr("no decoder for %1")
                     .arg(QString::fromUtf8(avcodec_get_name(stream->codecpar->codec_id)));
        return {};
    }
    Codec context(avcodec_alloc_context3(codec));
    if (!context) {
        *error = ImportText::tr("out of memory");
        return {};
    }
    int rc = avcodec_parameters_to_context(context.get(), stream->codecpar);
    context->pkt_timebase = stream->time_base;
    if (rc >= 0)
        rc = avcodec_open2(context.get(), codec, nullptr);
    if (rc < 0) {
        *error = ImportText::tr("cannot open the %1 decoder: %2")
                     .arg(QString::fromUtf8(codec->name), errorText(rc));
        return {};
    }
    return context;
}

} // namespace hearvex::lessons::av
