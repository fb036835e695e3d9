// hearvex-lesson shadow on takes the aligner has never been tuned on: real
// speakers (Debian's pocketsphinx test recordings) and eSpeak NG voices at
// 120-200 words a minute, with and without room noise and silence around;
// a word left out, another sentence (one sharing words with it too), silence
// and noise.
#include "lesson_file.h"
#include "lessons/lesson_tool_run.h"
#include "spoken_material.h"
#include "synthetic_voice.h"
#include "take_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace {

using hearvex::testing::runTool;
using hearvex::testing::Utterance;

const QString kSentence = QStringLiteral("She left her keys on the kitchen table.");
const QString kSentences[] = {"Could you tell me the way to the station?",
                              "We usually have dinner at seven o'clock."};
const char* const kVoices[] = {"en-us+f3", "en+m3", "en-029"};
const int kSpeeds[] = {120, 160, 200};
const QString kLeftOut[] = {"She left her keys on the table.", "She left her on the kitchen table.",
                            "She left keys on the kitchen table."};
// Forced in, "English" comes out clear, on the frames of "for three".
const QString kLongerSentence = QStringLiteral("I have been learning English for three years.");
const QString kLongerLeftOut = QStringLiteral("I have been learning for three years.");
// Shares "in" and "the" with kNearSentence; the rest went to silence.
const QString kNearSentence = QStringLiteral("The children are playing in the garden.");
const QString kNearOther = QStringLiteral("Please open the window, it is very hot in here.");
const char* const kLeftOutVoices[] = {"en-us+m3", "en+f2"};

// Every synthetic take, spoken once and in one order whichever tests run, so
// each sounds the same in every run (synthetic_voice.h).
const std::vector<float>& spoken(const QString& sentence, const QString& voice, int wpm) {
    using Key = std::tuple<QString, QString, int>;
    static const std::map<Key, std::vector<float>> all = [] {
        std::map<Key, std::vector<float>> made;
        const auto say = [&](const QString& s, const QString& v, int w) {
            made[{s, v, w}] = hearvex::testing::speakSentence(s, v, w);
        };
        say(kSentence, "en-us", 150);
        say(kSentence, "en-us+f3", 170);
        say("The weather is lovely today.", "en", 150);
        for (const QString& s : kSentences)
            for (const char* v : kVoices)
                for (const int w : kSpeeds)
                    say(s, v, w);
        for (const QString& s : kLeftOut)
            for (const char* v : kLeftOutVoices)
                say(s, v, 150);
        for (const char* v : kLeftOutVoices)
            say(kLongerLeftOut, v, 150);
        say(kNearOther, "en", 150);
        return made;
    }();
    return all.at({sentence, voice, wpm});
}

struct Heard {
    int exitCode = -1;
    QStringList words, verdicts;
    QStringList starts;
    int score = -1;
    QString err;
    int said() const { return int(verdicts.count(QStringLiteral("said"))); }
};

// Silence either side and a steady noise bed, as a take in a room comes in.
std::vector<float> inARoom(const std::vector<float>& speech, double noiseDb) {
    std::vector<float> out(16000, 0.0f);
    out.insert(out.end(), speech.begin(), speech.end());
    out.insert(out.end(), 16000, 0.0f);
    uint32_t noiseState = 777;
    const double amplitude = std::pow(10.0, noiseDb / 20.0) * std::sqrt(3.0);
    for (float& s : out) {
        noiseState = noiseState * 1664525u + 1013904223u;
        s += float(amplitude * (double(noiseState >> 8) / double(1 << 23) - 1.0));
    }
    return out;
}

class ShadowToolTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // The lesson: its sentence spoken by the model voice, and its text.
        const std::vector<float>& model = spoken(kSentence, "en-us", 150);
        ASSERT_FALSE(model.empty());
        QString error;
        ASSERT_TRUE(hearvex::shadow::writeFlac(lesson(), model, 16000, &error));
        QFile text(m_dir.filePath("lesson.kvx"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write(hearvex::lessons::encipherLessonText(kSentence));
    }

    QString lesson() const { return m_dir.filePath("lesson.txt"); }

    Heard shadow(const std::vector<float>& take, const QString& sentence = {}) {
        const QString path = m_dir.filePath("take.flac");
        QString error;
        EXPECT_TRUE(hearvex::shadow::writeFlac(path, take, 16000, &error));
        QStringList args{"shadow", lesson(), path, "--tsv"};
        if (!sentence.isEmpty())
            args << "--sentence" << sentence;
        return parse(runTool(args));
    }

    static Heard parse(const hearvex::testing::ToolRun& run) {
        Heard heard;
        heard.exitCode = run.exitCode;
        heard.err = run.err;
        for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split('\t');
            if (f.size() == 2 && f[0] == "score") {
                heard.score = f[1].toInt();
            } else if (f.size() == 4) {
                heard.words << f[0];
                heard.verdicts << f[1];
                heard.starts << f[2];
            } else {
                ADD_FAILURE() << "not a line of the report: " << line.toStdString();
            }
        }
        return heard;
    }

    QTemporaryDir m_dir;
};

TEST_F(ShadowToolTest, RealSpeakersSayTheirWords) {
    const std::vector<Utterance> utterances = hearvex::testing::transcribedUtterances();
    ASSERT_FALSE(utterances.empty()) << "pocketsphinx-testdata is not installed";
    int said = 0;
    int words = 0;
    bool room = false;
    for (const Utterance& u : utterances) {
        for (const double noiseDb : {0.0, -45.0}) {
            // All of them as recorded, every other one in a room as well.
            if (noiseDb < 0 && !(room = !room))
                continue;
            const Heard heard =
                shadow(noiseDb < 0 ? inARoom(u.samples, noiseDb) : u.samples, u.text);
            EXPECT_EQ(heard.exitCode, 0) << u.text.toStdString() << heard.err.toStdString();
            EXPECT_EQ(heard.words.join(' '), u.text);
            said += heard.said();
            words += int(u.text.split(' ').size());
        }
    }
    std::printf("real speakers: %d of %d words said\n", said, words);
    EXPECT_GE(double(said) / words, 0.92) << said << " of " << words;
}

TEST_F(ShadowToolTest, SyntheticVoicesAtLearnersSpeedsSayTheirWords) {
    int said = 0;
    int words = 0;
    int take = 0;
    int refused = 0;
    for (const QString& sentence : kSentences) {
        for (const char* voice : kVoices) {
            for (const int wpm : kSpeeds) {
                const std::vector<float>& speech = spoken(sentence, voice, wpm);
                ASSERT_FALSE(speech.empty()) << voice;
                // Every other take with room noise and silence around it.
                const Heard heard = shadow(take++ % 2 ? inARoom(speech, -42) : speech, sentence);
                refused += heard.exitCode == 3 ? 1 : 0;
                said += heard.said();
                words += int(sentence.split(' ').size());
            }
        }
    }
    // eSpeak's voices fall silent between words with digital zeros, which the
    // speech model hears as nothing like its rooms; given a microphone's noise
    // floor they come out 94 % said, none refused (85 % and 2 refused without
    // it). What is still lost is short function words at the fastest speed.
    std::printf("synthetic takes: %d of %d words said, %d takes refused\n", said, words, refused);
    EXPECT_GE(double(said) / words, 0.92) << said << " of " << words;
    EXPECT_LE(refused, 0);
}

TEST_F(ShadowToolTest, AWordLeftOutIsFlagged) {
    struct Case {
        QString said;
        QString sentence;
        int leftOut; // the word of the sentence not said
    };
    const Case cases[] = {{kLeftOut[0], kSentence, 6},
                          {kLeftOut[1], kSentence, 3},
                          {kLeftOut[2], kSentence, 2},
                          {kLongerLeftOut, kLongerSentence, 4}};
    for (const Case& c : cases) {
        for (const char* voice : kLeftOutVoices) {
            const Heard heard = shadow(spoken(c.said, voice, 150), c.sentence);
            ASSERT_EQ(heard.exitCode, 0) << c.said.toStdString() << heard.err.toStdString();
            ASSERT_EQ(heard.verdicts.size(), 8);
            EXPECT_NE(heard.verdicts[c.leftOut], "said") << c.said.toStdString() << " " << voice;
            EXPECT_GE(heard.said(), 6) << c.said.toStdString() << " " << voice; // at most one other
            EXPECT_LT(heard.score, 100);
        }
    }
}

TEST_F(ShadowToolTest, WhatIsNotTheSentenceExitsThree) {
    const std::vector<Utterance> utterances = hearvex::testing::transcribedUtterances();
    ASSERT_GE(utterances.size(), 2u);
    std::vector<float> noise(16000 * 3);
    uint32_t noiseState = 1;
    for (float& s : noise) {
        noiseState = noiseState * 1664525u + 1013904223u;
        s = 0.2f * (float(noiseState >> 8) / float(1 << 23) - 1.0f);
    }
    const struct {
        const char* what;
        std::vector<float> take;
        QString sentence;
    } cases[] = {
        {"another sentence", utterances[1].samples, utterances[0].text},
        {"another sentence, synthetic", spoken("The weather is lovely today.", "en", 150),
         kSentence},
        {"another sentence sharing two words, in a room",
         inARoom(spoken(kNearOther, "en", 150), -42), kNearSentence},
        {"silence", std::vector<float>(16000 * 3, 0.0f), kSentence},
        {"noise", noise, kSentence},
    };
    for (const auto& c : cases) {
        const Heard heard = shadow(c.take, c.sentence);
        EXPECT_EQ(heard.exitCode, 3) << c.what;
        EXPECT_TRUE(heard.words.isEmpty()) << c.what;
        EXPECT_TRUE(heard.err.contains("not the sentence")) << heard.err.toStdString();
    }
}

TEST_F(ShadowToolTest, TheLessonGivesTheSentenceAndTheTimes) {
    const Heard heard = shadow(spoken(kSentence, "en-us+f3", 170));
    ASSERT_EQ(heard.exitCode, 0) << heard.err.toStdString();
    EXPECT_EQ(heard.words.join(' '), kSentence);
    EXPECT_EQ(heard.said(), 8);
    double last = 0;
    for (const QString& start : heard.starts) {
        EXPECT_GE(start.toDouble(), last); // in the take's order, in seconds
        last = start.toDouble();
    }
    EXPECT_LT(last, 4.0);
    EXPECT_GE(heard.score, 80);
}

TEST_F(ShadowToolTest, UnreadableFilesAndWrongUse) {
    QFile text(m_dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a recording");
    text.close();
    const struct {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"shadow", lesson(), text.fileName()}, 1},
        {{"shadow", lesson(), m_dir.filePath("missing.flac")}, 1},
        {{"shadow", m_dir.filePath("none.txt"), lesson(), "--sentence", "Hello."}, 1},
        {{"shadow", lesson()}, 2},
        {{"shadow", lesson(), lesson(), "--loud"}, 2},
    };
    for (const auto& c : cases) {
        const auto run = runTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_TRUE(run.out.isEmpty());
    }
}

} // namespace
