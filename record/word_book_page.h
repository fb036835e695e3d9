// The 生词本 page of the 练习记录 window: the words kept from the look-up
// panel, each with its glosses, how often it was missed and the kinds of
// those misses, and under it the sentences it was kept from; above them the
// learner's misses of the last 30 days by kind and the function words missed
// most, which the list of words missed most leaves out. Exports the book as
// CSV or as a word list. It shows what it is given.
#pragma once

#include "practice_types.h"
#include "word_book.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <vector>

namespace hearvex::record {

struct WordBookPageControls {
    QLabel* lbKinds = nullptr;         // the last 30 days' misses by kind
    QLabel* lbFunctionWords = nullptr; // function words missed most
    QLabel* lbWords = nullptr;
    QTreeWidget* treeWords = nullptr; // word, missed, kinds, glosses; under it its sentences
    QLabel* lbStatus = nullptr;
    QPushButton* cmdExportCsv = nullptr;
    QPushButton* cmdExportList = nullptr;
    QPushButton* cmdBack = nullptr;
};

class WordBookPage : public QWidget {
    Q_OBJECT
public:
    explicit WordBookPage(QWidget* parent);

    // How a kind's English name ("homophone") reads to the learner (同音词).
    void setKindLabeler(std::function<QString(const QString&)> label) {
        m_labelKind = std::move(label);
    }
    // A word's glosses on one line; none without a dictionary.
    void setGlossesOf(std::function<QString(const QString&)> glosses) {
        m_glossesOf = std::move(glosses);
    }
    // Asks where to save (a save dialog); tests answer in its place. Empty: cancelled.
    void setSaveAsker(std::function<QString(const QString& suggested)> ask) {
        m_askSavePath = std::move(ask);
    }
    // What cmdBack does: back to the record's figures.
    void setBackHandler(std::function<void()> back) { m_back = std::move(back); }

    void showKinds(const std::vector<KindCount>& kinds,
                   const std::vector<MissedWord>& functionWords);
    // The book's words; a note instead when the book cannot be read.
    void showWords(const std::vector<WordBookWord>& words);
    void showNote(const QString& note);

    // The buttons' clicks: ask for a file and write the book into it.
    void exportCsv();
    void exportList();

    const WordBookPageControls& controls() const { return m_controls; }

private:
    QString kindLabel(const QString& kind) const;
    QString kindsText(const std::vector<KindCount>& kinds) const;
    QString glossesOf(const QString& word) const;
    void writeFile(const QString& suggestedName, const QByteArray& bytes);

    WordBookPageControls m_controls;
    std::vector<WordBookWord> m_words;
    std::function<QString(const QString&)> m_labelKind;
    std::function<QString(const QString&)> m_glossesOf;
    std::function<QString(const QString&)> m_askSavePath;
    std::function<void()> m_back;
};

} // namespace hearvex::record
