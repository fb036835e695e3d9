#include "spoken_material.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sndfile.h>

namespace hearvex::testing {

namespace {

const QString kData = QStringLiteral("/usr/share/pocketsphinx/test/data/");

std::vector<float> readSound(const QString& path) {
    std::vector<float> samples;
    if (path.endsWith(QLatin1String(".raw"))) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return samples;
        const QByteArray bytes = file.readAll();
        const auto* pcm = reinterpret_cast<const int16_t*>(bytes.constData());
        for (qsizetype i = 0; i < bytes.size() / 2; ++i)
            samples.push_back(pcm[i] / 32768.0f);
        return samples;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_READ, &info);
    if (!file)
        return samples;
    samples.resize(size_t(info.frames));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

// Where the voice is: frames of 10 ms within 30 dB of the loudest.
void findSpeech(Utterance& u) {
    constexpr size_t kFrame = kSpokenRate / 100;
    std::vector<double> level;
    for (size_t at = 0; at + kFrame <= u.samples.size(); at += kFrame) {
        double power = 1e-12;
        for (size_t i = at; i < at + kFrame; ++i)
            power += double(u.samples[i]) * u.samples[i];
        level.push_back(10 * std::log10(power / kFrame));
    }
    const double loud = level.empty() ? 0 : *std::max_element(level.begin(), level.end());
    size_t first = 0, end = level.size();
    while (first < end && level[first] < loud - 30)
        ++first;
    while (end > first && level[end - 1] < loud - 30)
        --end;
    u.speechFirst = first * kFrame;
    u.speechEnd = end * kFrame;
}

Utterance utterance(const QString& path, const QString& words) {
    Utterance u;
    u.samples = readSound(path);
    QString text = words.simplified();
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    u.text = text + QLatin1Char('.');
    findSpeech(u);
    return u;
}

} // namespace

std::vector<Utterance> transcribedUtterances() {
    std::vector<Utterance> out;
    QFile librivox(kData + QStringLiteral("librivox/transcription"));
    QFile cards(kData + QStringLiteral("cards/cards.transcription"));
    for (QFile* file : {&librivox, &cards}) {
        if (!file->open(QIODevice::ReadOnly))
            return {};
        const QString folder =
            file == &librivox ? QStringLiteral("librivox/") : QStringLiteral("cards/");
        for (const QByteArray& line : file->readAll().split('\n')) {
            // "<s> words </s> (fileid)"
            const QString text = QString::fromUtf8(line);
            const qsizetype open = text.lastIndexOf(QLatin1Char('('));
            if (open < 0)
                continue;
            const QString id = text.mid(open + 1).chopped(1).trimmed();
            QString words = text.left(open);
            words.remove(QStringLiteral("<s>")).remove(QStringLiteral("</s>"));
            out.push_back(utterance(kData + folder + id + QStringLiteral(".wav"), words));
            if (out.back().samples.empty())
                return {};
        }
    }
    return out;
}

Utterance untranscribedUtterance() {
    return utterance(kData + QStringLiteral("goforward.raw"),
                     QStringLiteral("go forward ten meters"));
}

SpokenRecording joinSpeech(const std::vector<SpokenPiece>& pieces, double trailingPause,
                           double noiseDb) {
    SpokenRecording out;
    std::vector<double> soundFirst, soundEnd; // every piece's speech, seconds
    std::vector<int> sentenceOf;              // piece -> sentence index or -1
    for (const SpokenPiece& piece : pieces) {
        out.samples.resize(out.samples.size() + size_t(piece.pauseBefore * kSpokenRate), 0.0f);
        const double at = double(out.samples.size()) / kSpokenRate;
        soundFirst.push_back(at + double(piece.utterance->speechFirst) / kSpokenRate);
        soundEnd.push_back(at + double(piece.utterance->speechEnd) / kSpokenRate);
        for (float s : piece.utterance->samples)
            out.samples.push_back(s * piece.gain);
        sentenceOf.push_back(piece.transcribed ? int(out.sentences.size()) : -1);
        if (piece.transcribed)
            out.sentences << piece.utterance->text;
    }
    out.samples.resize(out.samples.size() + size_t(trailingPause * kSpokenRate), 0.0f);
    const double total = double(out.samples.size()) / kSpokenRate;
    for (size_t p = 0; p < pieces.size(); ++p) {
        if (sentenceOf[p] < 0)
            continue;
        out.startRange.push_back({p > 0 ? soundEnd[p - 1] : 0.0, soundFirst[p]});
        out.endRange.push_back({soundEnd[p], p + 1 < pieces.size() ? soundFirst[p + 1] : total});
    }
    if (noiseDb < 0) {
        const float amplitude = float(std::pow(10.0, noiseDb / 20.0) * std::sqrt(3.0));
        uint32_t state = 7;
        for (float& s : out.samples) {
            state = state * 1664525u + 1013904223u;
            s += amplitude * (float(state >> 8) / float(1u << 24) * 2 - 1);
        }
    }
    return out;
}

bool writeWav(const QString& path, const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = kSpokenRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const bool ok = sf_writef_float(file, samples.data(), sf_count_t(samples.size())) ==
                    sf_count_t(samples.size());
    return sf_close(file) == 0 && ok;
}

double edgesInPauses(const SpokenRecording& truth, const std::vector<double>& starts,
                     const std::vector<double>& ends, double timeScale) {
    if (starts.size() != truth.startRange.size() || ends.size() != truth.endRange.size())
        return 0;
    auto inside = [&](double t, const std::pair<double, double>& range) {
        return t >= range.first * timeScale && t <= range.second * timeScale;
    };
    size_t good = 0;
    for (size_t k = 0; k < starts.size(); ++k)
        good += size_t(inside(starts[k], truth.startRange[k])) +
                size_t(inside(ends[k], truth.endRange[k]));
    return double(good) / double(2 * starts.size());
}

} // namespace hearvex::testing
