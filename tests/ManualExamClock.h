#pragma once

#include "App_Exams.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

// A clock that moves only when told: while it lives, every new timekeeper ticks from it, so
// tests see exactly the ticks that a real timer would give over that time, without waiting.
class TManualExamClock
{
public:
    TManualExamClock()
        : FPrevious(SetExamTimerFactory([this] { return std::make_unique<TTimer>(*this); }))
    {
    }
    ~TManualExamClock() { SetExamTimerFactory(std::move(FPrevious)); }
    TManualExamClock(const TManualExamClock&) = delete;
    TManualExamClock& operator=(const TManualExamClock&) = delete;

    // Moves the time on, firing every tick that falls due meanwhile in the order of its time.
    void Advance(long long milliseconds)
    {
        const long long target = FNow + milliseconds;
        for (TTimer* timer = NextDue(target); timer; timer = NextDue(target))
        {
            FNow = timer->Due;
            timer->Due += timer->Interval;
            timer->OnTimeout();
        }
        FNow = target;
    }

private:
    struct TTimer final : TExamTimer
    {
        explicit TTimer(TManualExamClock& clock) : Clock(clock) { Clock.FTimers.push_back(this); }
        ~TTimer() override { std::erase(Clock.FTimers, this); }
        void Start(int milliseconds) override
        {
            Interval = std::max(milliseconds, 1);
            Due = Clock.FNow + Interval;
            Running = true;
        }
        void Stop() override { Running = false; }

        TManualExamClock& Clock;
        long long Interval = 0;
        long long Due = 0;
        bool Running = false;
    };

    TTimer* NextDue(long long target) const
    {
        TTimer* next = nullptr;
        for (TTimer* timer : FTimers)
            if (timer->Running && timer->Due <= target && (!next || timer->Due < next->Due))
                next = timer;
        return next;
    }

    TExamTimerFactory FPrevious;
    std::vector<TTimer*> FTimers;
    long long FNow = 0;
};
