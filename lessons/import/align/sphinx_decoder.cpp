#include "sphinx_decoder.h"

#include "align_text.h"

#include <pocketsphinx.h>
#include <sphinxbase/err.h>
#include <sphinxbase/fsg_model.h>

#include <QFileInfo>
#include <mutex>

namespace hearvex::lessons {

namespace {

constexpr const char* kPhoneSearch = "phones";
constexpr const char* kWordSearch = "words";
// The model's phones, each also a "word" of the loop that takes up speech
// around a sentence in a window cut with margins.
constexpr const char* kLoopPhones[] = {"AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D",  "DH",
                                       "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",
                                       "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",  "SH",
                                       "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};
constexpr const char* kLoopPrefix = "hvx-phone-";
// Costs in probability of taking the phone loop for one phone, and of
// skipping an optional word: high enough that the loop never wins over words
// that were said, low enough that other speech goes to it.
constexpr float kLoopPhoneProbability = 1e-6f;
constexpr float kSkipProbability = 1e-10f;

// Sphinx's log is one for the process: decoders made or freed on two threads
// at once would both open and close it.
std::mutex& modelLock() {
    static std::mutex lock;
    return lock;
}

QByteArray loopWord(const char* phone) {
    return QByteArray(kLoopPrefix) + QByteArray(phone).toLower();
}

} // namespace

SphinxDecoder::SphinxDecoder(const SpeechModelPaths& paths) {
    for (const QString& path :
         {paths.acousticModel + QStringLiteral("/mdef"), paths.dictionary, paths.phoneModel})
        if (!QFileInfo::exists(path)) {
            m_error = AlignText::tr("the speech model is missing: %1 (install pocketsphinx-en-us)")
                          .arg(path);
            return;
        }
    const std::lock_guard<std::mutex> guard(modelLock());
    err_set_logfp(nullptr);
    const QByteArray model = paths.acousticModel.toUtf8(), dict = paths.dictionary.toUtf8();
    // Every utterance decoded on its own: no silence dropped before the
    // search (frames would go missing from the times) and no noise estimate
    // carried from one window into the next. The free phone loop uses the
    // context-independent phones: twenty times faster, as good a yardstick.
    // Four Gaussians per codebook, the model's own setting: with two, the
    // forced search lost whole sentences of a clear synthetic voice ("post
    // office" read as eSpeak NG says it) and a learner's words with them.
    m_config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", model.constData(), "-dict",
                           dict.constData(), "-logfn", "/dev/null", "-allphone_ci", "yes",
                           "-remove_noise", "no", "-remove_silence", "no", "-topn", "4", nullptr);
    if (m_config)
        m_decoder = ps_init(m_config);
    if (!m_decoder) {
        m_error = AlignText::tr("cannot load the speech model in %1").arg(paths.acousticModel);
        return;
    }
    if (ps_set_allphone_file(m_decoder, kPhoneSearch, paths.phoneModel.toUtf8().constData()) != 0 ||
        !addLoopPhones()) {
        m_error = AlignText::tr("cannot load the speech model in %1").arg(paths.acousticModel);
        ps_free(m_decoder);
        m_decoder = nullptr;
    }
}

SphinxDecoder::~SphinxDecoder() {
    const std::lock_guard<std::mutex> guard(modelLock());
    if (m_decoder)
        ps_free(m_decoder);
    if (m_config)
        cmd_ln_free_r(m_config);
}

bool SphinxDecoder::addLoopPhones() {
    for (const char* phone : kLoopPhones)
        if (ps_add_word(m_decoder, loopWord(phone).constData(), phone, FALSE) < 0)
            return false;
    return true;
}

QString SphinxDecoder::lookUp(const QString& word) const {
    if (!m_decoder)
        return {};
    char* phones = ps_lookup_word(m_decoder, word.toUtf8().constData());
    const QString found = phones ? QString::fromLatin1(phones) : QString();
    ckd_free(phones);
    return found;
}

bool SphinxDecoder::addWord(const QString& word, const QString& phones) {
    return m_decoder && ps_add_word(m_decoder, word.toUtf8().constData(),
                                    phones.toLatin1().constData(), FALSE) >= 0;
}

bool SphinxDecoder::decode(std::span<const qint16> pcm) {
    if (ps_start_utt(m_decoder) < 0)
        return false;
    const int processed = ps_process_raw(m_decoder, pcm.data(), pcm.size(), FALSE, TRUE);
    return ps_end_utt(m_decoder) >= 0 && processed >= 0;
}

std::vector<DecodedSegment> SphinxDecoder::forceAlign(std::span<const qint16> pcm,
                                                      const QStringList& words,
                                                      const GrammarShape& shape) {
    if (!m_decoder || words.isEmpty())
        return {};
    logmath_t* lmath = ps_get_logmath(m_decoder);
    const int32 loopCost = logmath_log(lmath, kLoopPhoneProbability);
    const int32 skipCost = logmath_log(lmath, kSkipProbability);
    const int loopStates = shape.surroundingSpeech ? 1 : 0;
    const int wordStart = loopStates;
    const int wordEnd = wordStart + int(words.size());
    fsg_model_t* fsg = fsg_model_init(kWordSearch, lmath, 1.0f, wordEnd + 1 + loopStates);
    fsg->start_state = 0;
    fsg->final_state = wordEnd + loopStates;
    if (shape.surroundingSpeech) {
        for (const char* phone : kLoopPhones) {
            const int id = fsg_model_word_add(fsg, loopWord(phone).constData());
            fsg_model_trans_add(fsg, 0, 0, loopCost, id);
            fsg_model_trans_add(fsg, wordEnd + 1, wordEnd + 1, loopCost, id);
        }
        fsg_model_null_trans_add(fsg, 0, wordStart, 0);
        fsg_model_null_trans_add(fsg, wordEnd, wordEnd + 1, 0);
    }
    for (int i = 0; i < int(words.size()); ++i) {
        const int id = fsg_model_word_add(fsg, words.at(i).toUtf8().constData());
        fsg_model_trans_add(fsg, wordStart + i, wordStart + i + 1, 0, id);
        if (shape.wordsOptional)
            fsg_model_null_trans_add(fsg, wordStart + i, wordStart + i + 1, skipCost);
    }
    const bool set =
        ps_set_fsg(m_decoder, kWordSearch, fsg) == 0 && ps_set_search(m_decoder, kWordSearch) == 0;
    fsg_model_free(fsg);
    if (!set || !decode(pcm))
        return {};
    std::vector<DecodedSegment> segments;
    int next = 0; // the words come back in order; repeated words are told apart by it
    for (ps_seg_t* seg = ps_seg_iter(m_decoder); seg; seg = ps_seg_next(seg)) {
        DecodedSegment segment;
        ps_seg_frames(seg, &segment.firstFrame, &segment.endFrame);
        segment.endFrame += 1;
        int32 ascr = 0, lscr = 0, lback = 0;
        ps_seg_prob(seg, &ascr, &lscr, &lback);
        segment.acousticScore = ascr;
        // Alternative pronunciations come back as "word(2)".
        QString word = QString::fromUtf8(ps_seg_word(seg));
        if (const qsizetype paren = word.indexOf(QLatin1Char('(')); paren > 0)
            word.truncate(paren);
        for (int i = next; i < int(words.size()); ++i)
            if (words.at(i) == word) {
                segment.word = i;
                next = i + 1;
                break;
            }
        segments.push_back(segment);
    }
    return segments;
}

std::vector<double> SphinxDecoder::phoneLoopScores(std::span<const qint16> pcm) {
    std::vector<double> perFrame;
    if (!m_decoder || ps_set_search(m_decoder, kPhoneSearch) != 0 || !decode(pcm))
        return perFrame;
    perFrame.assign(size_t(ps_get_n_frames(m_decoder)), 0);
    for (ps_seg_t* seg = ps_seg_iter(m_decoder); seg; seg = ps_seg_next(seg)) {
        int first = 0, last = 0;
        ps_seg_frames(seg, &first, &last);
        int32 ascr = 0, lscr = 0, lback = 0;
        ps_seg_prob(seg, &ascr, &lscr, &lback);
        const int count = last - first + 1;
        for (int f = first; f <= last && f < int(perFrame.size()); ++f)
            if (f >= 0)
                perFrame[size_t(f)] = double(ascr) / count;
    }
    return perFrame;
}

} // namespace hearvex::lessons
