#include "cmu_readings.h"

#include <algorithm>

namespace hearvex::exercise {

namespace {

// The length of a line's headword: "the(2) DH IY" is a reading of "the".
quint32 headwordLength(const uchar* data, qint64 size, quint32 offset) {
    qint64 end = offset;
    while (end < size && data[end] != ' ' && data[end] != '(' && data[end] != '\n')
        ++end;
    return quint32(end - offset);
}

QString phonesOfLine(const uchar* data, qint64 size, quint32 offset) {
    qint64 start = offset;
    while (start < size && data[start] != ' ' && data[start] != '\n')
        ++start;
    qint64 end = start;
    while (end < size && data[end] != '\n' && data[end] != '#')
        ++end;
    QString phones;
    for (qint64 k = start; k < end; ++k)
        if (data[k] < '0' || data[k] > '9')
            phones += QLatin1Char(char(data[k]));
    return phones.simplified();
}

} // namespace

CmuReadings::CmuReadings(const QString& path)
    : m_file(path) {
    if (!m_file.open(QIODevice::ReadOnly) || m_file.size() == 0)
        return;
    m_size = m_file.size();
    m_data = m_file.map(0, m_size);
    if (!m_data)
        return;
    for (qint64 k = 0; k < m_size; ++k)
        if ((k == 0 || m_data[k - 1] == '\n') && m_data[k] != '\n')
            m_lines.push_back({quint32(k), headwordLength(m_data, m_size, quint32(k))});
    // A word's readings stay in the file's order.
    std::sort(m_lines.begin(), m_lines.end(), [this](const Line& a, const Line& b) {
        const int order = keyOf(a).compare(keyOf(b));
        return order != 0 ? order < 0 : a.offset < b.offset;
    });
}

std::string_view CmuReadings::keyOf(const Line& line) const {
    return {reinterpret_cast<const char*>(m_data + line.offset), line.keyLength};
}

QStringList CmuReadings::readings(const QString& word) const {
    QStringList found;
    if (!m_data || word.isEmpty())
        return found;
    const QByteArray bytes = word.toUtf8();
    const std::string_view key(bytes.constData(), size_t(bytes.size()));
    auto it =
        std::lower_bound(m_lines.begin(), m_lines.end(), key,
                         [this](const Line& line, std::string_view k) { return keyOf(line) < k; });
    for (; it != m_lines.end() && keyOf(*it) == key; ++it)
        found << phonesOfLine(m_data, m_size, it->offset);
    return found;
}

} // namespace hearvex::exercise
