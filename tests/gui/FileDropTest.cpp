// The dropped-files wrapper and how the main window takes drops.
#include "App_MainForm.h"
#include "ErrorMessage.h"
#include "TempFolder.h"
#include "TestDesktop.h"
#include "Tovi_filedrop.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{
const char* const MakeMessage = "The program cannot make a  of the file drop.";
const char* const CountMessage = "The program cannot get the number of the dropped files.";
const char* const PathMessage = "The program cannot get the path of the dropped file.";

std::unique_ptr<QMimeData> FileData(const std::vector<std::string>& paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data->setUrls(urls);
    return data;
}

std::unique_ptr<QMimeData> UrlData(const QList<QUrl>& urls)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

std::unique_ptr<QMimeData> TextData()
{
    auto data = std::make_unique<QMimeData>();
    data->setText("/home/user/deck.txt");
    return data;
}

QDropEvent MakeDrop(const QMimeData& data, QEvent::Type type = QEvent::Drop,
                    Qt::DropActions actions = Qt::CopyAction)
{
    return QDropEvent(QPointF(10, 10), actions, &data, Qt::LeftButton, Qt::NoModifier, type);
}
} // namespace

TEST(FileDrop, RefusesEverythingButADropOfLocalFiles)
{
    const auto files = FileData({"/decks/a.txt"});
    const auto text = TextData();
    const auto web = UrlData({QUrl("https://example.org/deck.txt")});
    const auto mixed =
        UrlData({QUrl::fromLocalFile("/decks/a.txt"), QUrl("https://example.org/b")});
    const auto none = UrlData({});
    const QEvent other(QEvent::User);
    const QDropEvent dragged = MakeDrop(*files, QEvent::DragMove);
    const QDropEvent textDrop = MakeDrop(*text);
    const QDropEvent webDrop = MakeDrop(*web);
    const QDropEvent mixedDrop = MakeDrop(*mixed);
    const QDropEvent emptyDrop = MakeDrop(*none);
    const std::pair<const char*, const QEvent*> cases[] = {
        {"not a drag event", &other},
        {"files still being dragged", &dragged},
        {"text", &textDrop},
        {"a web address", &webDrop},
        {"a file and a web address", &mixedDrop},
        {"no addresses", &emptyDrop},
    };
    for (const auto& [name, event] : cases)
        EXPECT_EQ(ErrorMessageOf<EFileDropError>([event] { TFileDrop drop(*event); }), MakeMessage)
            << name;
}

TEST(FileDrop, GivesEveryPathAndRefusesIndexesOutsideTheDrop)
{
    const std::vector<std::string> paths{"/decks/My Verbs.txt", "/decks/nouns.txt"};
    const auto data = FileData(paths);
    const QDropEvent event = MakeDrop(*data);
    TFileDrop drop(event);
    EXPECT_FALSE(drop.IsEmpty());
    ASSERT_EQ(drop.GetCount(), 2);
    EXPECT_EQ(drop.GetFileName(0), paths[0]);
    EXPECT_EQ(drop.GetFileName(1), paths[1]);
    for (int index : {-1, 2, 1000})
        EXPECT_EQ(ErrorMessageOf<EFileDropError>([&] { drop.GetFileName(index); }), PathMessage)
            << index;
}

TEST(FileDrop, NamesKeepTheirBytes)
{
    // As a file manager sends a name made under a Latin-1 locale: its bytes percent-encoded.
    const auto data =
        UrlData({QUrl::fromEncoded("file:///decks/bad%FF%FEname.txt"),
                 QUrl::fromLocalFile(QString::fromUtf8("/decks/caf\xc3\xa9 50%.txt"))});
    const QDropEvent event = MakeDrop(*data);
    TFileDrop drop(event);
    ASSERT_EQ(drop.GetCount(), 2);
    EXPECT_EQ(drop.GetFileName(0), "/decks/bad\xff\xfename.txt");
    EXPECT_EQ(drop.GetFileName(1), "/decks/caf\xc3\xa9 50%.txt");
}

TEST(FileDrop, AfterFinishNothingCanBeRead)
{
    const auto data = FileData({"/decks/a.txt"});
    const QDropEvent event = MakeDrop(*data);
    TFileDrop drop(event, false);
    drop.Finish();
    EXPECT_TRUE(drop.IsEmpty());
    EXPECT_EQ(ErrorMessageOf<EFileDropError>([&] { drop.GetCount(); }), CountMessage);
    EXPECT_EQ(ErrorMessageOf<EFileDropError>([&] { drop.GetFileName(0); }), PathMessage);
    drop.Finish();
    EXPECT_TRUE(drop.IsEmpty());
}

namespace
{
// Records every list that reaches the drop command.
class TDropRecordingForm : public TAppMainForm
{
public:
    using TAppMainForm::TAppMainForm;
    std::vector<std::vector<std::string>> Drops;

    void ExecuteDropFiles(const std::vector<std::string>& fileNames) override
    {
        Drops.push_back(fileNames);
        TAppMainForm::ExecuteDropFiles(fileNames);
    }
};

class MainFormDrop : public ::testing::Test
{
protected:
    MainFormDrop() : FScopedDesktop(FDesktop), FForm(FTemp.File("Settings.ini"))
    {
        // Start-up's posted refresh and command line; the test binary's arguments are no drop.
        QCoreApplication::sendPostedEvents(&FForm);
        FForm.Drops.clear();
    }

    // Drags the data over the window and drops it; true when the window took the drop.
    bool Drop(const QMimeData& data, Qt::DropActions actions = Qt::CopyAction)
    {
        QDragEnterEvent enter(QPoint(10, 10), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&FForm, &enter);
        QDropEvent drop = MakeDrop(data, QEvent::Drop, actions);
        QCoreApplication::sendEvent(&FForm, &drop);
        QCoreApplication::sendPostedEvents(&FForm);
        EXPECT_EQ(enter.isAccepted(), drop.isAccepted());
        FDropAction = drop.dropAction();
        return drop.isAccepted();
    }

    // What the drop action's update leaves when the file handler answers so.
    void SetDropEnabled(bool enabled)
    {
        FForm.Action(TAppMainForm::FileDropFilesAction)->setEnabled(enabled);
        FForm.setAcceptDrops(enabled);
    }

    TTempFolder FTemp;
    TTestDesktop FDesktop;
    TScopedTestDesktop FScopedDesktop;
    TDropRecordingForm FForm;
    Qt::DropAction FDropAction = Qt::IgnoreAction;
};
} // namespace

TEST_F(MainFormDrop, RefusedWhileTheDropActionIsDisabled)
{
    SetDropEnabled(true);
    FForm.UpdateAllActions();
    EXPECT_EQ(FForm.acceptDrops(), FForm.Action(TAppMainForm::FileDropFilesAction)->isEnabled());
    SetDropEnabled(false);
    EXPECT_FALSE(Drop(*FileData({"/decks/a.txt"})));
    EXPECT_TRUE(FForm.Drops.empty());
    EXPECT_TRUE(FDesktop.Errors.empty());
}

TEST_F(MainFormDrop, HandsEveryDroppedPathOverInOrder)
{
    SetDropEnabled(true);
    const std::vector<std::string> paths{"/decks/My Verbs.txt", "/decks/nouns.txt"};
    EXPECT_TRUE(Drop(*FileData(paths)));
    ASSERT_EQ(FForm.Drops.size(), 1u);
    EXPECT_EQ(FForm.Drops[0], paths);
    EXPECT_TRUE(FForm.GetDroppedFiles().empty());
}

TEST_F(MainFormDrop, TakesFilesAsACopySoTheSourceKeepsThem)
{
    SetDropEnabled(true);
    const auto data = FileData({"/decks/a.txt"});
    EXPECT_TRUE(Drop(*data, Qt::CopyAction | Qt::MoveAction));
    EXPECT_EQ(FDropAction, Qt::CopyAction);
    EXPECT_FALSE(Drop(*data, Qt::MoveAction));
    EXPECT_EQ(FForm.Drops.size(), 1u);
}

TEST_F(MainFormDrop, IgnoresDragsThatAreNotFiles)
{
    SetDropEnabled(true);
    EXPECT_FALSE(Drop(*TextData()));
    EXPECT_FALSE(Drop(*UrlData({QUrl("https://example.org/deck.txt")})));
    EXPECT_TRUE(FForm.Drops.empty());
    EXPECT_TRUE(FDesktop.Errors.empty());
}
