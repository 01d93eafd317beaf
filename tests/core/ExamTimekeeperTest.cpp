#include "App_Exams.h"
#include "CoreApplication.h"
#include "ManualExamClock.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{
struct TCountedTimekeeper
{
    TExamTimekeeper Timekeeper;
    int TimeUps = 0;
    QEventLoop* Waiting = nullptr;

    TCountedTimekeeper()
    {
        EnsureCoreApplication();
        Timekeeper.OnTimeUp = [this](TObject* sender)
        {
            EXPECT_EQ(sender, &Timekeeper);
            EXPECT_TRUE(Timekeeper.IsTimeUp());
            ++TimeUps;
            if (Waiting)
                Waiting->quit();
        };
    }

    // Runs the event loop for at most that long, or until the time is up when asked to.
    void RunEventLoop(int milliseconds, bool untilTimeUp)
    {
        QEventLoop loop;
        Waiting = untilTimeUp ? &loop : nullptr;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
        Waiting = nullptr;
    }
};

void ExpectStartRefused(TExamTimekeeper& timekeeper)
{
    try
    {
        timekeeper.Start();
        ADD_FAILURE() << "Start while running was not refused";
    }
    catch (const EExamError& error)
    {
        EXPECT_EQ(error.Message(), "The program cannot start the timekeeper.");
    }
}

TEST(ExamTimekeeper, ZeroOrNegativeLimitIsUpWithinStartAndStaysRunningUntilStopped)
{
    for (int limit : {0, -5})
    {
        SCOPED_TRACE(limit);
        TCountedTimekeeper counted;
        counted.Timekeeper.SetTimeLimit(limit);
        counted.Timekeeper.Start();
        EXPECT_EQ(counted.TimeUps, 1);
        EXPECT_TRUE(counted.Timekeeper.IsTimeUp());
        ExpectStartRefused(counted.Timekeeper);
        EXPECT_TRUE(counted.Timekeeper.IsTimeUp());
        counted.RunEventLoop(50, false);
        EXPECT_EQ(counted.TimeUps, 1) << "a zero limit must not tick on idle passes";
        counted.Timekeeper.Stop();
        EXPECT_TRUE(counted.Timekeeper.IsTimeUp());
        counted.Timekeeper.Start();
        EXPECT_EQ(counted.TimeUps, 2);
    }
}

TEST(ExamTimekeeper, TicksOncePerStartThroughTheEventLoopAndStopKeepsTheFlag)
{
    TCountedTimekeeper counted;
    counted.Timekeeper.SetTimeLimit(20);
    counted.Timekeeper.Start();
    EXPECT_FALSE(counted.Timekeeper.IsTimeUp());
    EXPECT_EQ(counted.TimeUps, 0) << "a positive limit must not fire within Start";
    counted.RunEventLoop(5000, true);
    ASSERT_EQ(counted.TimeUps, 1);
    counted.RunEventLoop(100, false);
    EXPECT_EQ(counted.TimeUps, 1);

    counted.Timekeeper.Stop();
    EXPECT_TRUE(counted.Timekeeper.IsTimeUp());
    counted.Timekeeper.Start();
    EXPECT_FALSE(counted.Timekeeper.IsTimeUp());
    counted.RunEventLoop(5000, true);
    EXPECT_EQ(counted.TimeUps, 2);
    counted.Timekeeper.Reset();
    EXPECT_FALSE(counted.Timekeeper.IsTimeUp());
}

TEST(ExamTimekeeper, StoppedBeforeTheLimitNeverFires)
{
    TManualExamClock clock;
    TCountedTimekeeper counted;
    counted.Timekeeper.SetTimeLimit(30);
    counted.Timekeeper.Start();
    ExpectStartRefused(counted.Timekeeper);
    clock.Advance(29);
    counted.Timekeeper.Stop();
    clock.Advance(120);
    EXPECT_EQ(counted.TimeUps, 0);
    EXPECT_FALSE(counted.Timekeeper.IsTimeUp());
}

TEST(ExamTimekeeper, TimeIsUpExactlyAtTheLimitCountedFromTheLastStart)
{
    TManualExamClock clock;
    TCountedTimekeeper counted;
    counted.Timekeeper.SetTimeLimit(2500);
    counted.Timekeeper.Start();
    clock.Advance(2499);
    EXPECT_EQ(counted.TimeUps, 0);
    clock.Advance(1);
    EXPECT_EQ(counted.TimeUps, 1);
    clock.Advance(10000);
    EXPECT_EQ(counted.TimeUps, 1) << "the time is up once per start";

    counted.Timekeeper.Reset();
    counted.Timekeeper.Start();
    clock.Advance(1000);
    counted.Timekeeper.Stop();
    counted.Timekeeper.Start();
    clock.Advance(2499);
    EXPECT_EQ(counted.TimeUps, 1) << "a new start counts from zero";
    clock.Advance(1);
    EXPECT_EQ(counted.TimeUps, 2);
}
} // namespace
