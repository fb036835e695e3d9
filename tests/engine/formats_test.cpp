// Opening: every kind of recording, found by content, with its track record;
// and every kind of file that is not one, refused cleanly.
#include "engine_test_support.h"
#include "vbmp3.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

using namespace enginetest;
using namespace std::string_literals;

static_assert(sizeof(Vbmp3TrackInfo) == 272);
static_assert(offsetof(Vbmp3TrackInfo, channels) == 256);
static_assert(offsetof(Vbmp3TrackInfo, totalSec) == 268);

namespace {

class Formats : public EngineTest {
protected:
    // Opens a sound written by libsndfile under the given name.
    Vbmp3TrackInfo openSound(const std::string& name, const Sound& sound) {
        const std::string path = m_dir.file(name);
        writeSound(path, sound);
        Vbmp3TrackInfo info;
        std::memset(&info, 0x5A, sizeof info); // anything not written shows
        EXPECT_NE(vbmp3_open(path.c_str(), &info), 0)
            << name << ": error " << vbmp3_getLastErrorNo();
        return info;
    }

    std::int32_t refusal(const std::string& path) {
        Vbmp3TrackInfo info{};
        EXPECT_EQ(vbmp3_open(path.c_str(), &info), 0) << path;
        return vbmp3_getLastErrorNo();
    }

    TempDir m_dir;
};

std::string fieldText(const char* field) {
    return std::string(field, strnlen(field, 128));
}

bool nulPadded(const char* field) {
    for (std::size_t i = strnlen(field, 128); i < 128; ++i)
        if (field[i] != '\0')
            return false;
    return true;
}

struct Kind {
    const char* name;
    int format;
    int sampleRate;
    int channels;
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.name;
}

class EveryKind : public Formats, public ::testing::WithParamInterface<Kind> {};

} // namespace

// Each kind is stored under a lesson-like name that says nothing about its
// format, opened, and played far enough to hear the 1 kHz tone at its level.
TEST_P(EveryKind, OpensByContentAndPlaysTheTone) {
    const Kind kind = GetParam();
    Sound sound;
    sound.format = kind.format;
    sound.sampleRate = kind.sampleRate;
    sound.channels = kind.channels;
    sound.seconds = 2.5;
    const Vbmp3TrackInfo info = openSound("unit1.txt", sound);
    EXPECT_EQ(fieldText(info.trackName), "unit1.txt");
    EXPECT_TRUE(nulPadded(info.trackName));
    EXPECT_EQ(fieldText(info.secondName), "");
    EXPECT_TRUE(nulPadded(info.secondName));
    EXPECT_EQ(info.channels, kind.channels);
    EXPECT_EQ(info.sampleRate, kind.sampleRate);
    EXPECT_EQ(info.totalSec, 2);
    EXPECT_GT(info.bitRate, 0);
    EXPECT_EQ(engineState().code, VBMP3_STOPPED);

    ASSERT_EQ(vbmp3_play(), 1);
    const int bin = static_cast<int>(std::lround(1000.0 * 512 / kind.sampleRate));
    // 0.5 of full scale is -6 dB: level 104, less the window's loss between bins.
    auto toneHeard = [&] {
        const Peak left = spectrumPeak(false);
        const Peak right = spectrumPeak(true);
        return std::abs(left.bin - bin) <= 1 && left.level >= 100 && left.level <= 106 &&
               std::abs(right.bin - bin) <= 1 && right.level >= 100 && right.level <= 106;
    };
    EXPECT_TRUE(waitUntil(toneHeard)) << "peak bin " << spectrumPeak(false).bin << " level "
                                      << spectrumPeak(false).level << ", expected bin " << bin;
    EXPECT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    EXPECT_EQ(engineState().code, VBMP3_PLAYING);
}

INSTANTIATE_TEST_SUITE_P(
    Recordings, EveryKind,
    ::testing::Values(Kind{"wav_u8", kWavU8, 11025, 1}, Kind{"wav16", kWav16, 44100, 2},
                      Kind{"wav24", kWav24, 8000, 1}, Kind{"wav_float", kWavFloat, 96000, 2},
                      Kind{"mp3_stereo", kMp3, 44100, 2}, Kind{"mp3_mono", kMp3, 22050, 1},
                      Kind{"flac", kFlac, 48000, 1}, Kind{"vorbis", kVorbis, 44100, 2},
                      Kind{"opus", kOpus, 48000, 2}),
    [](const ::testing::TestParamInfo<Kind>& param) { return std::string(param.param.name); });

TEST_F(Formats, BitRateIsTheAverageInKbps) {
    Sound sound;
    sound.seconds = 1.0;
    EXPECT_EQ(openSound("a.wav", sound).bitRate, 1411); // 44100 * 2 * 16
    sound.format = kMp3;
    sound.seconds = 5.0;
    sound.signal = Signal::Noise;
    sound.constantBitRate = true;
    const std::int32_t mp3 = openSound("c.mp3", sound).bitRate;
    EXPECT_GE(mp3, 126);
    EXPECT_LE(mp3, 131);
}

TEST_F(Formats, TitleAndArtistTagsInChinese) {
    Sound sound;
    sound.seconds = 1.0;
    sound.title = "第一课 听力";
    sound.artist = "王老师";
    for (int format : {kWav16, kFlac, kVorbis, kOpus, kMp3}) {
        sound.format = format;
        sound.sampleRate = format == kOpus ? 48000 : 44100;
        const Vbmp3TrackInfo info = openSound("tagged", sound);
        EXPECT_EQ(fieldText(info.trackName), "第一课 听力") << std::hex << format;
        EXPECT_EQ(fieldText(info.secondName), "王老师") << std::hex << format;
        EXPECT_TRUE(nulPadded(info.trackName));
        EXPECT_TRUE(nulPadded(info.secondName));
    }
}

// ID3v2 in UTF-16 and UTF-8; and GBK in ID3v1, which has no encoding field
// but is what old Chinese taggers wrote.
TEST_F(Formats, Id3TagsInUtf16Utf8AndGbk) {
    Sound sound;
    sound.format = kMp3;
    sound.seconds = 1.0;
    writeSound(m_dir.file("plain.mp3"), sound);
    const std::string audio = readBytes(m_dir.file("plain.mp3"));
    std::string v1Title = "\xCC\xFD\xC1\xA6"; // 听力
    v1Title.resize(30, '\0');
    const std::string v1 = "TAG" + v1Title + std::string(94, '\0') + "\xFF";
    const struct {
        std::string bytes;
        const char* title;
        const char* artist;
    } cases[] = {
        {id3v23Utf16(u"听力第一课", u"李老师") + audio, "听力第一课", "李老师"},
        {id3v24Utf8("听力第二课") + audio, "听力第二课", ""},
        {audio + v1, "听力", ""},
    };
    for (const auto& c : cases) {
        writeBytes(m_dir.file("tagged.mp3"), c.bytes);
        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(m_dir.file("tagged.mp3").c_str(), &info), 0);
        EXPECT_EQ(fieldText(info.trackName), c.title);
        EXPECT_EQ(fieldText(info.secondName), c.artist);
        EXPECT_EQ(info.totalSec, 1);
    }
}

TEST_F(Formats, LongTitleIsCutAtACharacterBoundary) {
    Sound sound;
    sound.seconds = 1.0;
    for (int i = 0; i < 60; ++i)
        sound.title += "课";
    const Vbmp3TrackInfo info = openSound("long.wav", sound);
    EXPECT_EQ(fieldText(info.trackName), sound.title.substr(0, 126));
    EXPECT_TRUE(nulPadded(info.trackName));
    EXPECT_EQ(info.trackName[127], '\0');
}

// A four-channel recording plays its first two channels.
TEST_F(Formats, MoreThanTwoChannelsPlayTheFirstTwo) {
    Sound sound;
    sound.channels = 4;
    sound.amplitude[0] = 0.0;
    sound.amplitude[1] = 0.5;
    sound.amplitude[2] = 0.5;
    sound.amplitude[3] = 0.5;
    const Vbmp3TrackInfo info = openSound("quad.wav", sound);
    EXPECT_EQ(info.channels, 4);
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_TRUE(waitUntil([] { return waveMax(true) >= 45; }));
    EXPECT_EQ(waveMax(false), 0);
}

TEST_F(Formats, RefusesWhatCannotBeRead) {
    EXPECT_EQ(refusal(m_dir.file("missing.mp3")), VBMP3_ERR_CANNOT_READ);
    EXPECT_EQ(refusal(m_dir.path()), VBMP3_ERR_CANNOT_READ);
    ASSERT_EQ(mkfifo(m_dir.file("pipe").c_str(), 0600), 0);
    EXPECT_EQ(refusal(m_dir.file("pipe")), VBMP3_ERR_CANNOT_READ); // and does not hang
    EXPECT_EQ(refusal(""), VBMP3_ERR_CANNOT_READ);

    Vbmp3TrackInfo info{};
    EXPECT_EQ(vbmp3_open(nullptr, &info), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_BAD_ARGUMENT);
    EXPECT_EQ(vbmp3_open(m_dir.file("x").c_str(), nullptr), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_BAD_ARGUMENT);
}

TEST_F(Formats, RefusesWhatIsNotARecording) {
    Sound sound;
    sound.seconds = 1.0;
    writeSound(m_dir.file("good.wav"), sound);
    const std::string wav = readBytes(m_dir.file("good.wav"));
    sound.format = kMp3;
    writeSound(m_dir.file("good.mp3"), sound);
    const std::string mp3 = readBytes(m_dir.file("good.mp3"));
    sound.format = kFlac;
    writeSound(m_dir.file("good.flac"), sound);
    const std::string flac = readBytes(m_dir.file("good.flac"));
    sound.format = kVorbis;
    writeSound(m_dir.file("good.ogg"), sound);
    const std::string ogg = readBytes(m_dir.file("good.ogg"));

    std::mt19937 random(42);
    std::string noise(65536, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xFF);
    std::string wavNoData = wav.substr(0, 44);
    std::string brokenFlac = flac;
    brokenFlac[0] = 'x';

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"text", "Lesson 1\r\nListen and write the sentence you hear.\r\n"},
        {"random bytes", noise},
        {"wav cut inside its header", wav.substr(0, 20)},
        {"wav header without frames", wavNoData},
        {"mp3 cut inside its first frame", mp3.substr(0, 100)},
        {"flac with a damaged marker", brokenFlac},
        {"ogg cut inside its headers", ogg.substr(0, 200)},
    };
    for (const auto& [name, bytes] : cases) {
        writeBytes(m_dir.file("bad.txt"), bytes);
        EXPECT_EQ(refusal(m_dir.file("bad.txt")), VBMP3_ERR_NOT_AUDIO) << name;
    }
}

// A failed open leaves nothing open, even when a track was playing; a good
// one clears the error.
TEST_F(Formats, FailedOpenClosesThePreviousTrack) {
    Sound sound;
    openSound("good.wav", sound);
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_EQ(refusal(m_dir.file("missing")), VBMP3_ERR_CANNOT_READ);
    EXPECT_EQ(engineState().code, VBMP3_STOPPED);
    EXPECT_EQ(vbmp3_play(), 0);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_TRACK);
    EXPECT_EQ(waveMax(false), 0);
    openSound("good.wav", sound);
    EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NONE);

    // A null path or record closes the open track too.
    for (bool nullPath : {true, false}) {
        openSound("good.wav", sound);
        ASSERT_EQ(vbmp3_play(), 1);
        Vbmp3TrackInfo info{};
        const std::string path = m_dir.file("good.wav");
        EXPECT_EQ(vbmp3_open(nullPath ? nullptr : path.c_str(), nullPath ? &info : nullptr), 0);
        EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_BAD_ARGUMENT);
        EXPECT_EQ(engineState().code, VBMP3_STOPPED);
        EXPECT_EQ(vbmp3_play(), 0) << "nothing is open";
        EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_TRACK);
    }
}

// An interrupted download of an Ogg file has no last page to give its length:
// it gets the length of what can be read, plays to there, and a seek beyond
// it ends the track. Nothing hangs, down to vbmp3_free.
TEST_F(Formats, CutShortOggHasAnHonestLengthAndNeverHangs) {
    for (int format : {kVorbis, kOpus}) {
        SCOPED_TRACE(format == kVorbis ? "vorbis" : "opus");
        Sound sound;
        sound.format = format;
        sound.sampleRate = 48000;
        sound.seconds = 20.0;
        sound.signal = Signal::Noise; // keeps the bytes per second even
        writeSound(m_dir.file("whole.ogg"), sound);
        const std::string bytes = readBytes(m_dir.file("whole.ogg"));
        writeBytes(m_dir.file("cut.ogg"), bytes.substr(0, bytes.size() / 2));

        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(m_dir.file("cut.ogg").c_str(), &info), 0);
        EXPECT_GE(info.totalSec, 8);
        EXPECT_LE(info.totalSec, 11);
        ASSERT_EQ(vbmp3_play(), 1);
        for (int target : {info.totalSec - 1, 15, 100000}) {
            ASSERT_EQ(vbmp3_play(), 1);
            ASSERT_EQ(vbmp3_seek(target), 1);
            if (target >= info.totalSec) {
                EXPECT_EQ(engineState().code, VBMP3_STOPPED) << target;
            }
            EXPECT_TRUE(waitUntil([] { return engineState().code == VBMP3_STOPPED; })) << target;
        }
        EXPECT_EQ(vbmp3_stopCallback(), 1);
    }
    EXPECT_EQ(vbmp3_free(), 1);
    ASSERT_EQ(vbmp3_init(), 1);
}

// Files whose header or samples no decoder should be trusted with.
TEST_F(Formats, ImplausibleSampleRatesAreRefused) {
    for (int rate : {1, 7, 999, 800000}) {
        Sound sound;
        sound.sampleRate = rate;
        sound.seconds = rate > 1000 ? 0.01 : 20.0;
        writeSound(m_dir.file("odd.wav"), sound);
        EXPECT_EQ(refusal(m_dir.file("odd.wav")), VBMP3_ERR_NOT_AUDIO) << rate;
    }
}

TEST_F(Formats, NanAndInfinitePlayAsSilence) {
    Sound sound;
    sound.format = kWavFloat;
    sound.sampleRate = 8000;
    sound.seconds = 3.0;
    sound.signal = Signal::Silence;
    writeSound(m_dir.file("nan.wav"), sound);
    std::string bytes = readBytes(m_dir.file("nan.wav"));
    const std::size_t data = bytes.find("data") + 8;
    const float poison[] = {std::nanf(""), INFINITY, -INFINITY, -std::nanf("")};
    for (std::size_t at = data, i = 0; at + 4 <= bytes.size(); at += 4, ++i)
        std::memcpy(&bytes[at], &poison[i % 4], 4);
    writeBytes(m_dir.file("nan.wav"), bytes);
    Vbmp3TrackInfo info{};
    ASSERT_NE(vbmp3_open(m_dir.file("nan.wav").c_str(), &info), 0);
    ASSERT_EQ(vbmp3_play(), 1);
    ASSERT_TRUE(waitUntil([] { return engineState().pos >= 1; }));
    std::array<std::int32_t, 256> left{};
    std::array<std::int32_t, 256> right{};
    vbmp3_getWave(left.data(), right.data());
    for (std::size_t i = 0; i < left.size(); ++i)
        ASSERT_TRUE(left[i] == 0 && right[i] == 0) << i << ": " << left[i] << " " << right[i];
    vbmp3_getSpectrum(left.data(), right.data());
    EXPECT_EQ(*std::max_element(left.begin(), left.end()), 0);
    EXPECT_EQ(*std::max_element(right.begin(), right.end()), 0);
}

// What mpg123 plays opens: MPEG audio after junk or zeros, behind an ID3 tag
// whose size is too large or too small, or after a damaged first frame.
TEST_F(Formats, Mp3sThatPlayersAcceptOpen) {
    Sound sound;
    sound.format = kMp3;
    sound.seconds = 3.0;
    sound.constantBitRate = true;
    writeSound(m_dir.file("plain.mp3"), sound);
    const std::string mp3 = readBytes(m_dir.file("plain.mp3"));
    std::mt19937 random(5);
    std::string junk(3000, '\0');
    for (char& c : junk)
        c = static_cast<char>(random() & 0xFF);
    const std::string tag = id3v24Utf8("Lesson");
    auto withTagSize = [&](int delta) {
        std::string bytes = tag + std::string(200, '\0') + mp3;
        const int size = static_cast<int>(tag.size()) - 10 + 200 + delta;
        bytes[6] = static_cast<char>((size >> 21) & 0x7F);
        bytes[7] = static_cast<char>((size >> 14) & 0x7F);
        bytes[8] = static_cast<char>((size >> 7) & 0x7F);
        bytes[9] = static_cast<char>(size & 0x7F);
        return bytes;
    };
    std::string damagedFirst = mp3;
    damagedFirst.replace(0, 4, std::string(4, '\0'));
    const std::pair<const char*, std::string> cases[] = {
        {"junk before the first frame", junk + mp3},
        {"zeros before the first frame", std::string(5000, '\0') + mp3},
        {"ID3 size past the first frames", withTagSize(3000)},
        {"ID3 size short of its frames", withTagSize(-150)},
        {"first frame header damaged", damagedFirst},
    };
    for (const auto& [name, bytes] : cases) {
        writeBytes(m_dir.file("odd.txt"), bytes);
        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(m_dir.file("odd.txt").c_str(), &info), 0)
            << name << ": error " << vbmp3_getLastErrorNo();
        EXPECT_EQ(info.sampleRate, 44100) << name;
        EXPECT_GE(info.totalSec, 2) << name;
        EXPECT_LE(info.totalSec, 3) << name;
        ASSERT_EQ(vbmp3_play(), 1);
        EXPECT_TRUE(waitUntil([] { return spectrumPeak(false).level >= 95; })) << name;
    }
}

// Vorbis comments are UTF-8: accented Latin text comes out as written.
TEST_F(Formats, Utf8TitlesOfFlacOggAndOpusAreTakenAsTheyAre) {
    Sound sound;
    sound.seconds = 0.5;
    sound.title = "Señor Niño";
    sound.artist = "Müller";
    for (int format : {kFlac, kVorbis, kOpus}) {
        sound.format = format;
        sound.sampleRate = 48000;
        const Vbmp3TrackInfo info = openSound("tagged", sound);
        EXPECT_EQ(fieldText(info.trackName), "Señor Niño") << std::hex << format;
        EXPECT_EQ(fieldText(info.secondName), "Müller") << std::hex << format;
    }
}

namespace {

std::string bigEndianBytes(std::uint32_t v, int n) {
    std::string out;
    for (int i = n - 1; i >= 0; --i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

std::string syncSafeBytes(std::uint32_t v) {
    return {char((v >> 21) & 0x7F), char((v >> 14) & 0x7F), char((v >> 7) & 0x7F), char(v & 0x7F)};
}

// A 0x00 after every 0xFF, as unsynchronisation writes it.
std::string unsynchronised(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        out.push_back(c);
        if (static_cast<unsigned char>(c) == 0xFF)
            out.push_back('\0');
    }
    return out;
}

std::string id3Frame(int version, const std::string& id, const std::string& payload,
                     std::uint32_t flags = 0) {
    const auto size = static_cast<std::uint32_t>(payload.size());
    if (version == 2)
        return id + bigEndianBytes(size, 3) + payload;
    return id + (version == 3 ? bigEndianBytes(size, 4) : syncSafeBytes(size)) +
           bigEndianBytes(flags, 2) + payload;
}

std::string id3Tag(int version, int flags, const std::string& body) {
    return "ID3" + std::string{char(version), '\0', char(flags)} +
           syncSafeBytes(static_cast<std::uint32_t>(body.size())) + body;
}

std::string id3v1(const std::string& title, const std::string& artist) {
    std::string t = title;
    std::string a = artist;
    t.resize(30, '\0');
    a.resize(30, '\0');
    return "TAG" + t + a + std::string(30 + 4 + 30, '\0') + "\xFF";
}

const std::string kTingLiGbk = "\xCC\xFD\xC1\xA6";     // 听力 in GBK
const std::string kYesUtf16 = "\xFF\xFE\xFF\0e\0s\0"s; // "ÿes", little-endian with its mark
const std::string kMullerUtf16Be = "\0M\0\xFC\0l\0l\0e\0r"s;

} // namespace

// Each kind of ID3 text, read with the encoding its frame declares.
TEST_F(Formats, Id3FramesOfEveryVersionAndEncoding) {
    Sound sound;
    sound.format = kMp3;
    sound.seconds = 1.0;
    writeSound(m_dir.file("plain.mp3"), sound);
    const std::string audio = readBytes(m_dir.file("plain.mp3"));
    const std::string extendedV3 = bigEndianBytes(6, 4) + std::string(6, '\0');
    const std::string extendedV4 = syncSafeBytes(6) + "\x01\x00"s;
    const std::string yesFrameV4 = "\x01"s + kYesUtf16;
    const struct {
        const char* name;
        std::string bytes;
        const char* title;
        const char* artist;
    } cases[] = {
        {"2.2, Latin-1 holding GBK and Latin-1",
         id3Tag(2, 0, id3Frame(2, "TT2", "\0"s + kTingLiGbk) + id3Frame(2, "TP1", "\0M\xFCller"s)) +
             audio,
         "听力", "Müller"},
        {"2.3, unsynchronised UTF-16",
         id3Tag(3, 0x80, unsynchronised(id3Frame(3, "TIT2", "\x01"s + kYesUtf16))) + audio, "ÿes",
         ""},
        {"2.3, extended header, Latin-1 that is not GBK",
         id3Tag(3, 0x40, extendedV3 + id3Frame(3, "TIT2", "\0Se\xF1or Ni\xF1o"s)) + audio,
         "Señor Niño", ""},
        {"2.4, extended header, UTF-8 and UTF-16BE",
         id3Tag(4, 0x40,
                extendedV4 + id3Frame(4, "TIT2", "\x03Señor Niño"s) +
                    id3Frame(4, "TPE1", "\x02"s + kMullerUtf16Be)) +
             audio,
         "Señor Niño", "Müller"},
        {"2.4, a frame unsynchronised with its data length",
         id3Tag(4, 0,
                id3Frame(4, "TIT2",
                         syncSafeBytes(static_cast<std::uint32_t>(yesFrameV4.size())) +
                             unsynchronised(yesFrameV4),
                         0x0003)) +
             audio,
         "ÿes", ""},
        {"1 only", audio + id3v1("M\xFCller", kTingLiGbk), "Müller", "听力"},
        {"2.3 title, artist from 1",
         id3Tag(3, 0, id3Frame(3, "TIT2", "\x03Müller"s)) + audio + id3v1("x", kTingLiGbk),
         "Müller", "听力"},
    };
    for (const auto& c : cases) {
        writeBytes(m_dir.file("tagged.mp3"), c.bytes);
        Vbmp3TrackInfo info{};
        ASSERT_NE(vbmp3_open(m_dir.file("tagged.mp3").c_str(), &info), 0) << c.name;
        EXPECT_EQ(fieldText(info.trackName), c.title) << c.name;
        EXPECT_EQ(fieldText(info.secondName), c.artist) << c.name;
        EXPECT_EQ(info.totalSec, 1) << c.name;
    }
}
