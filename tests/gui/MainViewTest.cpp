#include "App_StatusBar.h"
#include "App_Views.h"

#include <QPlainTextEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace
{
class MainViewTest : public ::testing::Test
{
protected:
    QWidget Window;
    QPlainTextEdit* Area = new QPlainTextEdit(&Window);
    TSimpleStatusBar* Status = new TSimpleStatusBar(&Window);
    TMainView View{&Window, Area, Status};
};

TEST_F(MainViewTest, BlankLineOnAnEmptyAreaIsOneLineBreak)
{
    View.AddBlankLine();
    EXPECT_EQ(View.GetMessages(), "\r\n");
}

TEST_F(MainViewTest, MessagesAreAppendedEachWithALineBreak)
{
    View.AddMessage("Started");
    View.AddMessage("Done.");
    EXPECT_EQ(View.GetMessages(), "Started\r\nDone.\r\n");
    // The label shows plain lines, the ampersand as typed.
    View.AddMessage("Q. Fish & chips");
    EXPECT_EQ(Area->toPlainText(), "Started\nDone.\nQ. Fish & chips\n");
}

TEST_F(MainViewTest, ClearAndReplaceTheWholeText)
{
    View.AddMessage("one");
    View.ClearMessages();
    EXPECT_EQ(View.GetMessages(), "");
    View.SetMessages("a\r\nb");
    EXPECT_EQ(View.GetMessages(), "a\r\nb");
}

TEST_F(MainViewTest, CaptionAndStatus)
{
    View.SetCaption("Orvanta - x[*]y.txt");
    EXPECT_EQ(Window.windowTitle(), "Orvanta - x[*][*]y.txt"); // shown as typed
    View.SetCaption("Orvanta - Verbs.txt");
    View.SetStatus("Card 1 of 3");
    EXPECT_EQ(Window.windowTitle(), "Orvanta - Verbs.txt");
    EXPECT_EQ(Status->Text(), "Card 1 of 3");
}

struct TNotifierRecorder
{
    TUpdateNotifier Notifier;
    std::vector<std::string> Events;

    TNotifierRecorder()
    {
        Notifier.OnNotify = [this](TObject* sender)
        {
            EXPECT_EQ(sender, &Notifier);
            Events.push_back("notify");
        };
        Notifier.OnUpdate = [this](TObject*) { Events.push_back("update"); };
    }
};

TEST(UpdateNotifier, FoldsRequestsIntoOneUpdate)
{
    TNotifierRecorder recorder;
    recorder.Notifier.Notify();
    recorder.Notifier.Notify();
    recorder.Notifier.Notify();
    recorder.Notifier.Update();
    EXPECT_EQ(recorder.Events, (std::vector<std::string>{"notify", "update"}));
    // A request after the delivery posts anew.
    recorder.Notifier.Notify();
    EXPECT_EQ(recorder.Events.back(), "notify");
    EXPECT_TRUE(recorder.Notifier.IsPending());
}

TEST(UpdateNotifier, UpdateWhileIdleFiresNothingButForceUpdateFires)
{
    TNotifierRecorder recorder;
    recorder.Notifier.Update();
    EXPECT_TRUE(recorder.Events.empty());
    recorder.Notifier.ForceUpdate();
    EXPECT_EQ(recorder.Events, (std::vector<std::string>{"update"}));
}

TEST(UpdateNotifier, NotifyWithoutHandlerStillMarksPending)
{
    TUpdateNotifier notifier;
    int updates = 0;
    notifier.OnUpdate = [&](TObject*) { ++updates; };
    notifier.Notify();
    EXPECT_TRUE(notifier.IsPending());
    notifier.Update();
    EXPECT_EQ(updates, 1);
    EXPECT_FALSE(notifier.IsPending());
}
} // namespace
