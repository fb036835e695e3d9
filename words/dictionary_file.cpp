#include "dictionary_file.h"

#include <QCoreApplication>
#include <QtEndian>
#include <cstring>

namespace hearvex::words {

namespace {

constexpr char kMagic[] = "HVXDICT1";
constexpr qint64 kMagicBytes = 8;
constexpr qint64 kHeaderBytes = kMagicBytes + 16;
constexpr int kIndexEntryBytes = 16;
constexpr int kFieldCount = 7;

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Dictionary)
};

QStringList splitNonEmpty(const QString& text, const QString& separator) {
    return text.split(separator, Qt::SkipEmptyParts);
}

DictionaryRecord parseRecord(const QList<QByteArray>& fields) {
    DictionaryRecord record;
    record.word = QString::fromUtf8(fields[1]);
    record.lemma = QString::fromUtf8(fields[2]);
    record.rank = fields[3].toInt();
    record.arpabet = QString::fromUtf8(fields[4]);
    record.forms = splitNonEmpty(QString::fromUtf8(fields[5]), QStringLiteral(","));
    record.glosses = splitNonEmpty(QString::fromUtf8(fields[6]), QStringLiteral("\\n"));
    for (QString& gloss : record.glosses)
        gloss = gloss.trimmed();
    return record;
}

} // namespace

QByteArray foldedKey(const QString& word) {
    QByteArray key = word.toUtf8();
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return key;
}

bool DictionaryFile::open(const QString& path, QString* error) {
    m_data = nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        *error = Text::tr("cannot open the dictionary %1: %2").arg(path, file->errorString());
        return false;
    }
    const qint64 size = file->size();
    const uchar* data = size >= kHeaderBytes ? file->map(0, size) : nullptr;
    if (!data || std::memcmp(data, kMagic, kMagicBytes) != 0) {
        *error = Text::tr("%1 is not a dictionary of this program").arg(path);
        return false;
    }
    const auto header = [data](int field) {
        return qFromLittleEndian<quint32>(data + kMagicBytes + 4 * field);
    };
    const quint32 blocks = header(0), indexOffset = header(2), poolOffset = header(3);
    if (blocks == 0 || indexOffset + quint64(blocks) * kIndexEntryBytes > quint64(size) ||
        poolOffset > quint64(size)) {
        *error = Text::tr("%1 is damaged").arg(path);
        return false;
    }
    m_file = std::move(file);
    m_data = data;
    m_size = size;
    m_blockCount = int(blocks);
    m_recordCount = int(header(1));
    m_indexOffset = indexOffset;
    m_poolOffset = poolOffset;
    return true;
}

quint32 DictionaryFile::indexField(int block, int field) const {
    return qFromLittleEndian<quint32>(m_data + m_indexOffset + block * kIndexEntryBytes +
                                      4 * field);
}

QByteArray DictionaryFile::blockKey(int block) const {
    const quint64 offset = quint64(m_poolOffset) + indexField(block, 2);
    const quint32 length = indexField(block, 3);
    if (offset + length > quint64(m_size))
        return {};
    return QByteArray::fromRawData(reinterpret_cast<const char*>(m_data + offset), length);
}

// The last block whose first key is not after the key: where its lines must be.
int DictionaryFile::blockHolding(const QByteArray& key) const {
    int low = 0, high = m_blockCount - 1, found = -1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (blockKey(middle) <= key) {
            found = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return found;
}

QByteArray DictionaryFile::blockText(int block) const {
    const quint64 offset = indexField(block, 0), size = indexField(block, 1);
    if (offset < quint64(kHeaderBytes) || offset + size > quint64(m_size))
        return {};
    return qUncompress(m_data + offset, qsizetype(size));
}

QList<DictionaryRecord> DictionaryFile::recordsOf(const QString& word) const {
    QList<DictionaryRecord> records;
    const QByteArray key = foldedKey(word);
    if (!m_data || key.isEmpty())
        return records;
    const int block = blockHolding(key);
    if (block < 0)
        return records;
    const QByteArray text = blockText(block);
    const QByteArray prefix = key + '\t';
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArray line = text.mid(start, end - start);
        start = end + 1;
        if (!line.startsWith(prefix))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == kFieldCount)
            records.append(parseRecord(fields));
    }
    return records;
}

} // namespace hearvex::words
