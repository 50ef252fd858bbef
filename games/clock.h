// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The time of day as the program reads it: seconds since midnight as a
// single-precision number. Tests substitute a clock of their own.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual float secondsSinceMidnight() = 0;

    // One pause: returns once the reading differs from the one taken on entry.
    virtual void waitForTick() = 0;
};

// The system's time of day, advancing in ticks of 1/64 second. A pause
// sleeps until the next tick instead of spinning. At midnight the reading
// falls back to 0, which also ends a pause.
class SystemClock : public Clock
{
public:
    static constexpr int kTicksPerSecond = 64;

    float secondsSinceMidnight() override;
    void waitForTick() override;
};
