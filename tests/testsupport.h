#pragma once

#include "games/clock.h"
#include "games/randomsource.h"

#include <functional>
#include <vector>

class Canvas;

// Hands out a fixed sequence of values, over and over.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(std::vector<double> values) : m_values(std::move(values)) {}

    void seed(float secondsSinceMidnight) override
    {
        seeds.push_back(secondsSinceMidnight);
    }

    double next() override
    {
        const double value = m_values[m_next];
        m_next = (m_next + 1) % m_values.size();
        ++drawn;
        return value;
    }

    void setValues(std::vector<double> values)
    {
        m_values = std::move(values);
        m_next = 0;
    }

    std::vector<float> seeds;
    long drawn = 0;

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
};

// A clock whose pauses take no time. Each pause advances the reading by one
// tick and calls onPause, where a test can look at the run in progress.
class FakeClock : public Clock
{
public:
    explicit FakeClock(float start = 36000.0f) : now(start) {}

    float secondsSinceMidnight() override { return now; }

    void waitForTick() override
    {
        now += 1.0f / 64;
        ++pauses;
        if (onPause)
            onPause();
    }

    float now;
    int pauses = 0;
    std::function<void()> onPause;
};
