// The toolbar of the main window, driven through its picture buttons: the
// pressed look, the switches, the hints and the check, stepping through the
// lessons, the word lists, help and quitting.
#include "form1.h"
#include "lesson_list.h"
#include "lessons/lesson_files.h"
#include "scripted_engine.h"
#include "support/wait_for.h"

#include <QImage>
#include <QKeySequence>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;

namespace {

// Out of line: inlined into the tests, QWidget's accessors trip a false
// null-dereference warning of the compiler.
[[gnu::noinline]] bool shown(const QWidget* widget) {
    return widget->isVisible();
}
[[gnu::noinline]] const QWidget* ownerOf(const QWidget* widget) {
    return widget->parentWidget();
}

template <typename T> T& existing(T* object) {
    if (!object)
        throw std::runtime_error("expected an object");
    return *object;
}

class ToolbarTest : public ::testing::Test {
protected:
    ToolbarTest() {
        const QString folder = hearvex::lessons::lessonFolder(dir.path());
        QDir().mkpath(folder);
        const char* texts[3] = {"Alpha one.\r\nsecond line", "Bravo two.", "Charlie three."};
        for (int i = 0; i < 3; ++i) {
            const QString base = folder + QStringLiteral("/unit%1").arg(i + 1);
            hearvex::testing::writeBytes(base + ".txt", "recording");
            hearvex::testing::writeLessonText(base + ".kvx", QString::fromLatin1(texts[i]));
            engine.addTrack((base + ".txt").toStdString(), "unit", 30);
        }
        hearvex::testing::writeBytes(dir.filePath("word1.txt"), "{\\rtf1 {\\b first} list}");
        hearvex::testing::writeBytes(dir.filePath("word3.txt"), "third list");
        form.setProgramDir(dir.path());
        form.player().setMessageHandler([this](const QString& m) { messages << m; });
        form.toolbar().setEndProcess(
            [this] { endedAfterCalls = static_cast<int>(engine.calls.size()); });
        form.load();
        form.show();
    }

    // A press and a release on a button, as the learner makes them.
    void click(int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(form.controls().Image2[index], button, {}, QPoint(4, 4));
        QTest::mouseRelease(form.controls().Image2[index], button, {}, QPoint(4, 4));
    }

    hearvex::lessons::Form3& library() { return form.form3(); }
    QString exerciseBox() const { return form.controls().RichTextBox1[0]->text(); }

    QTemporaryDir dir;
    ScriptedEngine engine;
    Form1 form{engine};
    QStringList messages;
    int endedAfterCalls = -1;
};

} // namespace

TEST_F(ToolbarTest, APressMovesTheButtonOnePixelDownAndRightUntilTheRelease) {
    for (int index : {0, 3, 4, 6, 7, 8, 9}) {
        hearvex::controls::PictureButton* image = form.controls().Image2[index];
        const QPoint home = image->pos();
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(image->pos(), home + QPoint(1, 1)) << index;
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(image->pos(), home) << index;
    }
}

TEST_F(ToolbarTest, EveryPictureButtonSaysWhatItDoesAndNoTwoLookAlike) {
    std::vector<hearvex::controls::PictureButton*> buttons;
    for (hearvex::controls::PictureButton* image : form.controls().Image2)
        if (image)
            buttons.push_back(image);
    buttons.insert(buttons.end(), form.controls().Image3.begin(), form.controls().Image3.end());
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_FALSE(buttons[i]->toolTip().isEmpty()) << buttons[i]->objectName().toStdString();
        for (size_t j = i + 1; j < buttons.size(); ++j)
            EXPECT_NE(buttons[i]->picture().toImage(), buttons[j]->picture().toImage())
                << buttons[i]->objectName().toStdString() << " "
                << buttons[j]->objectName().toStdString();
    }
    // The keys are named on the buttons that have one.
    EXPECT_TRUE(form.controls().Image3[2]->toolTip().contains(QStringLiteral("F5")));
    EXPECT_TRUE(form.controls().Image3[3]->toolTip().contains(QStringLiteral("Esc")));
    EXPECT_TRUE(form.controls().Image2[4]->toolTip().contains(QStringLiteral("F8")));
    EXPECT_TRUE(form.controls().Image2[6]->toolTip().contains(QStringLiteral("Ctrl+Enter")));
}

TEST_F(ToolbarTest, TheKeywordSwitchTogglesItsBorderAndNothingElse) {
    form.controls().RichTextBox1[0]->setText(QStringLiteral("*** ***"));
    click(3);
    EXPECT_EQ(form.controls().Image2[3]->borderStyle(), 1);
    click(3);
    EXPECT_EQ(form.controls().Image2[3]->borderStyle(), 0);
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);
    EXPECT_EQ(exerciseBox(), QStringLiteral("*** ***"));
}

TEST_F(ToolbarTest, WithTheKeywordSwitchPressedTheBoxHintsTheWordUnderThePointer) {
    form.exercise().startSentence(QStringLiteral("Listen carefully"));
    QWidget* viewport = form.controls().RichTextBox1[0]->viewport();
    const QPoint overFirstWord =
        form.controls().RichTextBox1[0]->cursorRect().center() + QPoint(6, 0);
    QTest::mouseMove(viewport, overFirstWord);
    EXPECT_EQ(form.controls().RichTextBox1[0]->toolTipText(), QString());
    click(3);
    QTest::mouseMove(viewport, overFirstWord + QPoint(1, 0));
    EXPECT_EQ(form.controls().RichTextBox1[0]->toolTipText(), QStringLiteral("Listen"));
    click(3);
    QTest::mouseMove(viewport, overFirstWord);
    EXPECT_EQ(form.controls().RichTextBox1[0]->toolTipText(), QString());
}

TEST_F(ToolbarTest, AnyMouseButtonAndAReleaseAwayFromTheButtonRunTheCommand) {
    click(3, Qt::RightButton);
    EXPECT_EQ(form.controls().Image2[3]->borderStyle(), 1);
    click(3, Qt::MiddleButton);
    EXPECT_EQ(form.controls().Image2[3]->borderStyle(), 0);
    // Pressed on the button, released far from it: still its command.
    hearvex::controls::PictureButton* image = form.controls().Image2[3];
    const QPoint home = image->pos();
    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(-150, 120));
    EXPECT_EQ(form.controls().Image2[3]->borderStyle(), 1);
    EXPECT_EQ(image->pos(), home);
}

TEST_F(ToolbarTest, TheFullTextHintShowsTheSentenceThenMasksItAgain) {
    form.exercise().startSentence(QStringLiteral("It's 5 o'clock.\r\nnot shown"));
    click(4);
    EXPECT_EQ(exerciseBox(), QStringLiteral("It's 5 o'clock."));
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 1);
    click(4);
    EXPECT_EQ(exerciseBox(), QStringLiteral("**'* 5 *'*****."));
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);
}

TEST_F(ToolbarTest, TheErrorRecordChecksAFreshlyMaskedBoxAndReleasesTheFullTextHint) {
    form.exercise().startSentence(QStringLiteral("It's 5 o'clock."));
    form.controls().RichTextBox1[1]->setText(QStringLiteral("It's 5 o'clock"));
    click(4); // the whole sentence is showing
    click(6);
    EXPECT_EQ(exerciseBox(), QStringLiteral("It's 5 *'*****. "));
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);
}

TEST_F(ToolbarTest, NextAndPreviousStepThroughTheListAndStopAtItsEnds) {
    library().controls().File1->setListIndex(0);
    click(7);
    EXPECT_EQ(library().controls().File1->listIndex(), 1);
    EXPECT_EQ(form.lessonState().curLesson, 2);
    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("Bravo two."));
    EXPECT_EQ(engine.count("open"), 1); // the lesson starts exactly once

    click(7);
    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("Charlie three."));
    click(7); // at the last lesson: nothing
    EXPECT_EQ(library().controls().File1->listIndex(), 2);
    EXPECT_EQ(engine.count("open"), 2);

    click(9);
    click(9);
    EXPECT_EQ(library().controls().File1->listIndex(), 0);
    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("Alpha one."));
    EXPECT_EQ(form.lessonState().curLesson, 1);
    click(9); // at the first lesson: nothing
    EXPECT_EQ(engine.count("open"), 4);
    EXPECT_EQ(library().controls().File1->listIndex(), 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ToolbarTest, NextWithNothingSelectedStartsTheFirstLessonPreviousDoesNothing) {
    library().controls().File1->setListIndex(-1);
    click(9);
    EXPECT_EQ(engine.count("open"), 0);
    EXPECT_EQ(library().controls().File1->listIndex(), -1);
    click(7);
    EXPECT_EQ(library().controls().File1->listIndex(), 0);
    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("Alpha one."));
    EXPECT_TRUE(QString::fromStdString(engine.openedPath).endsWith(QStringLiteral("unit1.txt")));
}

TEST_F(ToolbarTest, NextLoadsTheLibraryFirstWhenItWasNeverLoaded) {
    // Loading selects the entry at curLesson (0 here), then the command steps on from it.
    click(7);
    EXPECT_EQ(library().controls().File1->listIndex(), 1);
    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("Bravo two."));
    EXPECT_FALSE(shown(&library()));
}

TEST_F(ToolbarTest, NoSentenceStandsUnmaskedBehindTheOpenErrorMessage) {
    // unit4's recording is one the engine refuses.
    const QString base = hearvex::lessons::lessonFolder(dir.path()) + QStringLiteral("/unit4");
    hearvex::testing::writeBytes(base + ".txt", "not a recording");
    hearvex::testing::writeLessonText(base + ".kvx", QStringLiteral("Delta four."));
    QStringList behindMessage;
    form.player().setMessageHandler([this, &behindMessage](const QString& m) {
        messages << m;
        behindMessage << exerciseBox();
    });
    library().controls().File1->setListIndex(0);
    library().startSelected();
    click(4); // the learner looks at the whole of "Alpha one."
    ASSERT_EQ(exerciseBox(), QStringLiteral("Alpha one."));

    library().controls().File1->setListIndex(3);
    library().startSelected();
    ASSERT_EQ(messages.size(), 1);
    ASSERT_EQ(behindMessage.size(), 1);
    EXPECT_EQ(behindMessage[0], QStringLiteral("***** ***."));
    EXPECT_FALSE(behindMessage[0].contains(QStringLiteral("Delta")));
    // Afterwards the new lesson's sentence is the exercise, masked.
    EXPECT_EQ(exerciseBox(), QStringLiteral("***** ****."));
    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("Delta four."));
    EXPECT_EQ(form.controls().Image2[4]->borderStyle(), 0);
}

TEST_F(ToolbarTest, TheLibraryButtonShowsTheHiddenLibraryWithItsSelection) {
    library().show();
    library().controls().File1->setListIndex(2);
    QTest::mouseClick(library().controls().Image2, Qt::LeftButton, {}, QPoint(5, 5)); // 关闭
    ASSERT_FALSE(shown(&library()));
    click(8);
    EXPECT_TRUE(shown(&library()));
    EXPECT_EQ(library().controls().File1->listIndex(), 2);
    EXPECT_EQ(ownerOf(&library()), &form);
}

TEST_F(ToolbarTest, TheWordListWindowShowsTheFirstListAtEveryOpening) {
    click(0);
    hearvex::wordlists::Form2& words = existing(form.toolbar().form2());
    const QPointer<QObject> alive(&words);
    EXPECT_TRUE(shown(&words));
    EXPECT_EQ(ownerOf(&words), &form);
    EXPECT_EQ(words.controls().RichTextBox1->text(), QStringLiteral("first list"));

    words.controls().Combo1->setCurrentIndex(2);
    words.Combo1_Click();
    EXPECT_EQ(words.controls().RichTextBox1->text(), QStringLiteral("third list"));
    click(0); // already open: brought forward as it is
    EXPECT_EQ(form.toolbar().form2(), &words);
    EXPECT_EQ(words.controls().RichTextBox1->text(), QStringLiteral("third list"));

    QTest::mouseClick(words.controls().Image1, Qt::LeftButton, {}, QPoint(5, 5));
    HEARVEX_WAIT_FOR(alive.isNull());
    EXPECT_EQ(form.toolbar().form2(), nullptr);
    click(0);
    hearvex::wordlists::Form2& again = existing(form.toolbar().form2());
    EXPECT_EQ(again.controls().Combo1->currentIndex(), 0);
    EXPECT_EQ(again.controls().RichTextBox1->text(), QStringLiteral("first list"));
}

TEST_F(ToolbarTest, HelpAsksTheDesktopToOpenTheHelpPageBesideTheProgram) {
    QList<QUrl> opened;
    form.toolbar().setPageOpener(
        [&opened](const QUrl& page, const std::function<void()>&) { opened << page; });
    click(1);
    click(1); // a missing page is the desktop's business: no message, nothing else
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(dir.path() + QStringLiteral("/Hearvex说明.htm")));
    EXPECT_EQ(form.toolbar().helpWindow(), nullptr);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ToolbarTest, HelpHearsWhetherTheDesktopsOpenerFoundAProgramForThePage) {
    // An xdg-open of our own in front of the system's: it notes its argument
    // and answers as told. Our xdg-mime names the desktop's program for web
    // pages, whose entry lies where the desktop looks for it.
    QTemporaryDir bin;
    const QString script = bin.filePath("xdg-open");
    const QString asked = bin.filePath("asked");
    const auto writeScript = [&](const QString& path, const QString& text) {
        hearvex::testing::writeBytes(path, text.toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    const auto answer = [&](int exitCode) {
        writeScript(script, QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                                .arg(asked)
                                .arg(exitCode));
        QFile::remove(asked);
    };
    const QString applications = bin.filePath("data/applications");
    QDir().mkpath(applications);
    const auto defaultForPages = [&](const char* entry) {
        hearvex::testing::writeBytes(applications + "/pages.desktop",
                                     QByteArray("[Desktop Entry]\nType=Application\n") + entry);
    };
    writeScript(bin.filePath("xdg-mime"), QStringLiteral("#!/bin/sh\necho pages.desktop\n"));
    const struct Environment {
        QByteArray path = qgetenv("PATH"), dataHome = qgetenv("XDG_DATA_HOME");
        ~Environment() {
            qputenv("PATH", path);
            qputenv("XDG_DATA_HOME", dataHome);
        }
    } saved;
    qputenv("PATH", QFile::encodeName(bin.path()) + ":" + saved.path);
    qputenv("XDG_DATA_HOME", QFile::encodeName(bin.filePath("data")));

    defaultForPages("Exec=firefox %u\n");
    answer(0); // a program took the page
    click(1);
    HEARVEX_WAIT_FOR(QFile::exists(asked));
    QTest::qWait(200);
    EXPECT_EQ(form.toolbar().helpWindow(), nullptr);
    QFile note(asked);
    ASSERT_TRUE(note.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(note.readAll()), dir.path() + QStringLiteral("/Hearvex说明.htm"));

    answer(3); // "no method available for opening"
    click(1);
    HEARVEX_WAIT_FOR(form.toolbar().helpWindow() != nullptr);
    existing(form.toolbar().helpWindow()).close();
    HEARVEX_WAIT_FOR(form.toolbar().helpWindow() == nullptr);

    // A terminal editor as the desktop's program for pages is none: the page
    // shows in our own window at once, and the desktop is not asked to open it.
    for (const char* terminalEntry : {"Exec=vim %F\nTerminal=true\n", "Exec=w3m %u\n"}) {
        SCOPED_TRACE(terminalEntry);
        defaultForPages(terminalEntry);
        answer(0);
        click(1);
        HEARVEX_WAIT_FOR(form.toolbar().helpWindow() != nullptr);
        EXPECT_FALSE(QFile::exists(asked));
        existing(form.toolbar().helpWindow()).close();
        HEARVEX_WAIT_FOR(form.toolbar().helpWindow() == nullptr);
    }
}

TEST_F(ToolbarTest, F1OpensTheHelpFromAnyOfTheWindows) {
    QList<QUrl> opened;
    form.toolbar().setPageOpener(
        [&opened](const QUrl& page, const std::function<void()>&) { opened << page; });
    QTest::keyClick(form.controls().RichTextBox1[1], Qt::Key_F1);
    library().show();
    QTest::keyClick(library().controls().File1, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], QUrl::fromLocalFile(dir.path() + QStringLiteral("/Hearvex说明.htm")));
}

TEST_F(ToolbarTest, WhereTheDesktopCannotOpenThePageHelpShowsItInAWindowOfItsOwn) {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    ASSERT_TRUE(picture.save(dir.filePath("help_main.png")));
    hearvex::testing::writeBytes(
        dir.filePath(QStringLiteral("Hearvex说明.htm")),
        QStringLiteral("<html><head><title>说明</title></head><body><h1>使用说明</h1>"
                       "<img src=\"help_main.png\"></body></html>")
            .toUtf8());
    QList<QUrl> asked;
    form.toolbar().setPageOpener(
        [&asked](const QUrl& url, const std::function<void()>& cannotOpen) {
            asked << url;
            cannotOpen(); // no program for web pages
        });
    click(1);
    ASSERT_EQ(asked.size(), 1);
    hearvex::HelpWindow& help = existing(form.toolbar().helpWindow());
    const QPointer<QObject> alive(&help);
    EXPECT_TRUE(shown(&help));
    EXPECT_EQ(ownerOf(&help), &form);
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Hearvex 使用说明"));
    EXPECT_TRUE(help.browser()->isReadOnly());
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("使用说明")));
    // Its pictures are found beside the page.
    const QVariant image =
        help.browser()->loadResource(QTextDocument::ImageResource, QUrl("help_main.png"));
    EXPECT_FALSE(image.toByteArray().isEmpty());

    click(1); // again: the same window comes forward
    EXPECT_EQ(form.toolbar().helpWindow(), &help);
    help.close();
    HEARVEX_WAIT_FOR(alive.isNull());
    EXPECT_EQ(form.toolbar().helpWindow(), nullptr);

    // Without the page the window says so instead of standing empty.
    QFile::remove(dir.filePath(QStringLiteral("Hearvex说明.htm")));
    click(1);
    EXPECT_TRUE(existing(form.toolbar().helpWindow())
                    .browser()
                    ->toPlainText()
                    .contains(QStringLiteral("找不到帮助文件")));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ToolbarTest, TheHelpViewerSetsEachFigureApartWithItsCaptionBelowAndClosesByKey) {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    ASSERT_TRUE(picture.save(dir.filePath("help_main.png")));
    hearvex::testing::writeBytes(
        dir.filePath(QStringLiteral("Hearvex说明.htm")),
        QStringLiteral(
            "<html><head><style>body { line-height: 1.7 }</style></head>"
            "<body><p>第一课已经选中，\n但还没有开始播放。</p>\n"
            "<FIGURE class=\"shot\"><img src=\"help_main.png\" width=\"8\" height=\"6\">\n"
            "<figcaption>主窗口</figcaption></figure><p>figure 后面的话</p></body></html>")
            .toUtf8());
    form.toolbar().setPageOpener(
        [](const QUrl&, const std::function<void()>& cannotOpen) { cannotOpen(); });
    engine.state = 1; // playing: the keys that close the viewer must not pause it

    // Esc and Ctrl+W close it: without a window manager there is no title bar.
    const std::pair<Qt::Key, Qt::KeyboardModifiers> closingKeys[] = {
        {Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_W, Qt::ControlModifier}};
    for (const auto& [key, modifiers] : closingKeys) {
        SCOPED_TRACE(QKeySequence(key | modifiers).toString().toStdString());
        click(1);
        hearvex::HelpWindow& help = existing(form.toolbar().helpWindow());
        const QPointer<QObject> alive(&help);
        HEARVEX_WAIT_FOR(help.isActiveWindow());

        // Text (where a line of the source breaks between Chinese characters, no
        // space), then the picture alone in a centred block, then its caption.
        QStringList blocks;
        int pictureBlock = -1;
        for (QTextBlock block = help.browser()->document()->begin(); block.isValid();
             block = block.next()) {
            for (auto piece = block.begin(); !piece.atEnd(); ++piece)
                if (piece.fragment().charFormat().isImageFormat()) {
                    pictureBlock = static_cast<int>(blocks.size());
                    EXPECT_EQ(block.text().trimmed(), QString(QChar::ObjectReplacementCharacter));
                    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                              Qt::AlignHCenter);
                    // Not the text's line height: that leaves a gap of half a picture.
                    const QTextBlockFormat format = block.blockFormat();
                    EXPECT_TRUE(format.lineHeightType() == QTextBlockFormat::SingleHeight ||
                                format.lineHeight() == 100.0);
                }
            blocks << block.text().remove(QChar::ObjectReplacementCharacter).trimmed();
        }
        ASSERT_GE(pictureBlock, 0);
        blocks.removeAll(QString());
        EXPECT_EQ(blocks,
                  QStringList({QStringLiteral("第一课已经选中，但还没有开始播放。"),
                               QStringLiteral("主窗口"), QStringLiteral("figure 后面的话")}));

        engine.clearCalls();
        QTest::keyClick(help.browser(), key, modifiers);
        HEARVEX_WAIT_FOR(alive.isNull());
        EXPECT_EQ(form.toolbar().helpWindow(), nullptr);
        EXPECT_EQ(std::count(engine.calls.begin(), engine.calls.end(), "pause"), 0);
    }
}

TEST_F(ToolbarTest, QuitReleasesTheEngineInOrderThenEndsTheProcess) {
    engine.clearCalls();
    click(2);
    const std::vector<std::string> expected = {"stop", "stopCallback", "free"};
    EXPECT_EQ(engine.calls, expected);
    EXPECT_EQ(endedAfterCalls, 3); // the end came last, right after the engine was freed
}
