// A recording dropped anywhere on the main window, the text boxes included,
// opens and plays; its address never lands in a box as text.
#include "form1.h"
#include "lessons/lesson_files.h"
#include "scripted_engine.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;

namespace {

// Drags data over target and lets go at its middle; whether the drop was taken.
bool dropOn(QWidget* target, const QMimeData& data) {
    const QPointF at = QRectF(target->rect()).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

TEST(WindowDrop, ARecordingDroppedOnAnyPartOfTheWindowPlays) {
    QTemporaryDir dir;
    ScriptedEngine engine;
    const QString path = dir.filePath("talk.mp3");
    hearvex::testing::writeBytes(path, "recording");
    engine.addTrack(path.toStdString(), "talk", 30);
    Form1 form(engine);
    form.setProgramDir(dir.path());
    form.player().setMessageHandler([](const QString&) {});
    form.load();
    form.show();

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(path)});
    const auto& boxes = form.controls().RichTextBox1;
    const struct {
        const char* what;
        QWidget* target;
    } places[] = {{"the typing box", boxes[1]->viewport()},
                  {"the exercise box", boxes[0]->viewport()},
                  {"the window's own surface", &form}};
    for (const auto& place : places) {
        SCOPED_TRACE(place.what);
        engine.openedPath.clear();
        EXPECT_TRUE(dropOn(place.target, file));
        EXPECT_EQ(engine.openedPath, path.toStdString());
        EXPECT_EQ(boxes[1]->text(), QString()); // no file:// address typed
    }

    // Text dragged into the typing box is still text; a folder is no recording.
    QMimeData words;
    words.setText(QStringLiteral("hello"));
    QMimeData folder;
    folder.setUrls({QUrl::fromLocalFile(dir.path())});
    engine.openedPath.clear();
    dropOn(boxes[1]->viewport(), words);
    EXPECT_EQ(boxes[1]->text(), QStringLiteral("hello"));
    dropOn(boxes[1]->viewport(), folder);
    EXPECT_EQ(engine.openedPath, std::string());
}
