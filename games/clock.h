// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/modetask.h"

#include <functional>

class QObject;

// The time of day as the program reads it: seconds since midnight as a
// single-precision number. Tests substitute a clock of their own.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual float secondsSinceMidnight() = 0;

    // One pause: until the reading differs from the one taken on entry.
    // Returns false when the pause is over already (a clock whose pauses
    // take no time); else returns at once and calls `resume` from the event
    // loop once the pause is over, unless `context` is destroyed first.
    virtual bool pause(QObject *context, std::function<void()> resume) = 0;

    // What a mode awaits for one pause: `co_await clock.nextTick();`.
    auto nextTick()
    {
        struct NextTick
        {
            Clock &clock;
            bool await_ready() const noexcept { return false; }
            bool await_suspend(ModeTask::Handle mode)
            {
                return clock.pause(&mode.promise().pending, [mode]() mutable { mode.resume(); });
            }
            void await_resume() const noexcept {}
        };
        return NextTick{*this};
    }
};

// The system's time of day, advancing in ticks of 1/64 second. A pause
// returns to the event loop and goes on from a timer set to where the next
// tick begins. At midnight the reading falls back to 0, which also ends a pause.
class SystemClock : public Clock
{
public:
    static constexpr int kTicksPerSecond = 64;

    float secondsSinceMidnight() override;
    bool pause(QObject *context, std::function<void()> resume) override;

private:
    void resumeOnChange(float first, QObject *context, std::function<void()> resume);
};
