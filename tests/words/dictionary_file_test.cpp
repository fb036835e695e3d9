// The dictionary file's reader over small files written here in the same
// layout as scripts/make_dictionary.py writes: keys across blocks, spellings
// that differ in case, and damaged files.
#include "dictionary.h"
#include "dictionary_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace hearvex::words;

namespace {

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// blocks: each a list of lines "key\tword\tlemma\trank\tarpabet\tforms\tglosses".
QByteArray dictionaryBytes(const QList<QStringList>& blocks) {
    QByteArray body, index, pool;
    const int headerBytes = 8 + 16;
    int records = 0;
    for (const QStringList& lines : blocks) {
        const QByteArray packed = qCompress((lines.join('\n') + '\n').toUtf8(), 9);
        const QByteArray key = lines.front().section('\t', 0, 0).toUtf8();
        index += le32(headerBytes + body.size()) + le32(packed.size()) + le32(pool.size()) +
                 le32(key.size());
        pool += key;
        body += packed;
        records += int(lines.size());
    }
    const quint32 indexOffset = headerBytes + body.size();
    return "HVXDICT1" + le32(blocks.size()) + le32(records) + le32(indexOffset) +
           le32(indexOffset + index.size()) + body + index + pool;
}

class DictionaryFileTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("words.dict"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
    const QList<QStringList> m_blocks = {
        {"ran\tran\trun\t20\tR AE1 N\t\trun的过去式",
         "run\trun\t\t20\tR AH1 N\tran,running,runs\tv. 跑\\nn. 赛跑"},
        {"us\tUS\tus\t0\t\t\tabbr. 美国", "us\tus\t\t5\tAH1 S\t\tpron. 我们"},
        {"zebra\tzebra\t\t9000\tZ IY1 B R AH0\tzebras\tn. 斑马"},
    };
};

} // namespace

TEST_F(DictionaryFileTest, FindsEveryKeyInItsBlock) {
    DictionaryFile file;
    QString error;
    ASSERT_TRUE(file.open(write(dictionaryBytes(m_blocks)), &error)) << error.toStdString();
    EXPECT_EQ(file.recordCount(), 5);
    struct Case {
        const char* word;
        int records;
        const char* firstWord;
    } cases[] = {{"ran", 1, "ran"}, {"RUN", 1, "run"}, {"us", 2, "US"}, {"zebra", 1, "zebra"},
                 {"a", 0, ""},      {"rz", 0, ""},     {"zz", 0, ""},   {"", 0, ""}};
    for (const Case& c : cases) {
        const QList<DictionaryRecord> records = file.recordsOf(QString::fromUtf8(c.word));
        ASSERT_EQ(records.size(), c.records) << c.word;
        if (c.records) {
            EXPECT_EQ(records.front().word, QString::fromUtf8(c.firstWord)) << c.word;
        }
    }
    const DictionaryRecord run = file.recordsOf(QStringLiteral("run")).front();
    EXPECT_EQ(run.forms, QStringList({"ran", "running", "runs"}));
    EXPECT_EQ(run.glosses, QStringList({"v. 跑", "n. 赛跑"}));
    EXPECT_EQ(run.rank, 20);
}

TEST_F(DictionaryFileTest, LookupJoinsAWordToItsLemma) {
    Dictionary dictionary;
    QString error;
    ASSERT_TRUE(dictionary.open(write(dictionaryBytes(m_blocks)), &error));
    const WordEntry ran = dictionary.lookup(QStringLiteral("Ran,"));
    EXPECT_TRUE(ran.found);
    EXPECT_EQ(ran.word, "ran");
    EXPECT_EQ(ran.lemma, "run");
    EXPECT_EQ(ran.forms, QStringList({"ran", "running", "runs"}));
    EXPECT_EQ(ran.ipa, "ɹæn");
    EXPECT_EQ(ran.glosses, QStringList{"run的过去式"});
    EXPECT_EQ(ran.lemmaGlosses, QStringList({"v. 跑", "n. 赛跑"}));
    // The same case first, else lower case: "US" the country, "Us" the pronoun.
    EXPECT_EQ(dictionary.lookup(QStringLiteral("US")).glosses, QStringList{"abbr. 美国"});
    EXPECT_EQ(dictionary.lookup(QStringLiteral("Us")).glosses, QStringList{"pron. 我们"});
    EXPECT_EQ(dictionary.lemmaOf(QStringLiteral("US")), "us");
    EXPECT_EQ(dictionary.band(QStringLiteral("zebra")), 3);
    EXPECT_TRUE(dictionary.isWord(QStringLiteral("Zebra.")));
    EXPECT_FALSE(dictionary.isWord(QStringLiteral("zebr")));
    EXPECT_EQ(dictionary.lemmaOf(QStringLiteral("Zebr!")), "Zebr");
    EXPECT_EQ(dictionary.band(QStringLiteral("zebr")), 5);
}

TEST_F(DictionaryFileTest, RefusesWhatIsNotADictionary) {
    const QByteArray good = dictionaryBytes(m_blocks);
    QByteArray badIndex = good;
    badIndex.replace(16, 4, le32(quint32(good.size())));
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"another file", QByteArray("RIFF0000WAVEfmt junk and more junk")},
        {"header cut", good.left(12)},
        {"index cut", good.left(good.size() - 20)},
        {"index past the end", badIndex},
    };
    for (const Case& c : cases) {
        DictionaryFile file;
        QString error;
        EXPECT_FALSE(file.open(write(c.bytes), &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
        EXPECT_TRUE(file.recordsOf(QStringLiteral("run")).isEmpty()) << c.name;
    }
    DictionaryFile missing;
    QString error;
    EXPECT_FALSE(missing.open(m_dir.filePath(QStringLiteral("none.dict")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("none.dict")));
}

namespace {

// A field of the file, byte by byte: 0 past the end (the optimiser of the
// sanitizer build cannot otherwise rule out reading a shared empty array).
quint32 littleEndianAt(const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at + 4 > bytes.size())
        return 0;
    quint32 value = 0;
    for (qsizetype i = at + 3; i >= at; --i)
        value = value << 8 | quint8(bytes.at(i));
    return value;
}

} // namespace

TEST_F(DictionaryFileTest, ADamagedBlockFindsNothingAndTheOthersStillWork) {
    QByteArray bytes = dictionaryBytes(m_blocks);
    // The second block's compressed data overwritten with noise.
    const quint32 indexOffset = littleEndianAt(bytes, 16);
    const quint32 offset = littleEndianAt(bytes, qsizetype(indexOffset) + 16);
    ASSERT_GT(bytes.size(), qsizetype(offset) + 16);
    for (int i = 6; i < 16; ++i)
        bytes[offset + i] = char(0x5a ^ i);
    DictionaryFile file;
    QString error;
    ASSERT_TRUE(file.open(write(bytes), &error));
    EXPECT_TRUE(file.recordsOf(QStringLiteral("us")).isEmpty());
    EXPECT_EQ(file.recordsOf(QStringLiteral("zebra")).size(), 1);
    EXPECT_EQ(file.recordsOf(QStringLiteral("run")).size(), 1);
}
