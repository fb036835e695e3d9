// What the look-up panel shows of a word, as texts: the rule behind the
// panel, so it is tested without a window.
#pragma once

#include "dictionary.h"

#include <QString>

namespace hearvex::words {

struct PanelTexts {
    QString word;    // as the dictionary spells it
    QString ipa;     // "/ɹæn/"; empty when unknown
    QString lemma;   // "ran → run" for a form; empty for a lemma
    QString forms;   // "词形：ran, running, runs"; empty without forms
    QString band;    // "常用度：1 最常用（前 2000 词）"
    QString glosses; // one gloss a line; the lemma's after a line "run："
};

PanelTexts panelTexts(const WordEntry& entry);

// The panel's note when there is no word under the caret.
QString noWordNote();

} // namespace hearvex::words
