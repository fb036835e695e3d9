#include "take_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <sndfile.h>

namespace hearvex::shadow {

namespace {

const QLatin1String kTimeFormat("yyyyMMdd-HHmmss-zzz");
constexpr int kTimeLength = 19; // "20261207-230205-123"

QString safeName(const QString& name) {
    // The name less its extension, taken as a name (a '/' in it is no folder).
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString safe;
    for (const QChar c : name.left(dot > 0 ? dot : name.size()).left(60)) {
        const bool plain = c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('.');
        safe += plain ? c : QLatin1Char('_');
    }
    return safe.isEmpty() ? QStringLiteral("take") : safe;
}

} // namespace

QString defaultTakesFolder() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + QLatin1String("/.local/share");
    return data + QLatin1String("/hearvex/takes");
}

QString takeStem(const TakeOwner& owner) {
    const QByteArray hash =
        QCryptographicHash::hash(owner.sentence.trimmed().toUtf8(), QCryptographicHash::Sha256);
    return safeName(owner.lessonName) + QLatin1Char('_') +
           QString::fromLatin1(hash.toHex().left(8));
}

QDateTime takeTime(const QString& fileName) {
    const QString base = QFileInfo(fileName).completeBaseName();
    if (base.size() < kTimeLength + 1 || base.at(base.size() - kTimeLength - 1) != QLatin1Char('_'))
        return {};
    return QDateTime::fromString(base.right(kTimeLength), kTimeFormat);
}

TakeStore::TakeStore(QString folder)
    : m_folder(std::move(folder)) {}

QString TakeStore::save(const TakeOwner& owner, std::span<const float> samples,
                        const QDateTime& when, QString* error) const {
    if (!QDir().mkpath(m_folder)) {
        *error = QStringLiteral("cannot make the folder %1").arg(m_folder);
        return {};
    }
    const QString path = m_folder + QLatin1Char('/') + takeStem(owner) + QLatin1Char('_') +
                         when.toString(kTimeFormat) + QLatin1String(".flac");
    if (!writeFlac(path, samples, kTakeRate, error))
        return {};
    prune(owner);
    return path;
}

QStringList TakeStore::takesOf(const TakeOwner& owner) const {
    const QString pattern = takeStem(owner) + QLatin1String("_*.flac");
    QStringList paths;
    // The time in the name sorts as text; newest first.
    const QStringList names = QDir(m_folder).entryList({pattern}, QDir::Files, QDir::Name);
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        if (takeTime(*it).isValid())
            paths << m_folder + QLatin1Char('/') + *it;
    return paths;
}

void TakeStore::prune(const TakeOwner& owner) const {
    const QStringList takes = takesOf(owner);
    for (qsizetype i = kKeptPerSentence; i < takes.size(); ++i)
        QFile::remove(takes[i]);
}

std::vector<float> readSoundFile(const QString& path, int* rate, QString* error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (file == nullptr) {
        *error = QString::fromUtf8(sf_strerror(nullptr));
        return {};
    }
    std::vector<float> frames(size_t(info.frames) * size_t(info.channels));
    const sf_count_t read = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    std::vector<float> mono(size_t(std::max<sf_count_t>(read, 0)));
    for (size_t i = 0; i < mono.size(); ++i) {
        float sum = 0;
        for (int c = 0; c < info.channels; ++c)
            sum += frames[i * size_t(info.channels) + size_t(c)];
        mono[i] = sum / float(info.channels);
    }
    *rate = info.samplerate;
    if (mono.empty())
        *error = QStringLiteral("no sound in the file");
    return mono;
}

bool writeFlac(const QString& path, std::span<const float> samples, int rate, QString* error) {
    const QString temporary = path + QLatin1String(".part");
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(temporary).constData(), SFM_WRITE, &info);
    if (file == nullptr) {
        *error = QString::fromUtf8(sf_strerror(nullptr));
        return false;
    }
    // Clipped rather than wrapped: a take recorded too loud still reads as speech.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const auto count = sf_count_t(samples.size());
    const bool wrote = sf_writef_float(file, samples.data(), count) == count;
    const bool closed = sf_close(file) == 0;
    if (!wrote || !closed ||
        std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(path).constData()) != 0) {
        *error = QStringLiteral("cannot write %1").arg(path);
        QFile::remove(temporary);
        return false;
    }
    return true;
}

} // namespace hearvex::shadow
