// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// One of the main window's form-level values: either empty or a number of a
// definite kind. The kind matters because the games compute in the precision
// the value holds, so a run gives the same figures to the last bit.
// An empty value reads as 0.
class FormValue
{
public:
    enum class Kind { Empty, Integer, Single, Double };

    FormValue() = default;

    static FormValue integer(std::int16_t value);
    static FormValue single(float value);
    static FormValue real(double value);
    // The kind that matches the C++ type: single for float, double for double.
    static FormValue of(float value) { return single(value); }
    static FormValue of(double value) { return real(value); }

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }

    // The value as a number; empty reads as 0.
    double toDouble() const { return m_value; }
    float toSingle() const { return static_cast<float>(m_value); }

    // Compares as a number; empty compares as 0.
    bool operator==(double number) const { return m_value == number; }
    bool operator!=(double number) const { return m_value != number; }

private:
    FormValue(Kind kind, double value) : m_kind(kind), m_value(value) {}

    Kind m_kind = Kind::Empty;
    double m_value = 0.0; // every kind fits a double exactly
};

// The values the modes share between clicks. Loading the window sets none of
// them, so each starts empty.
struct FormState
{
    FormValue PointX;         // x of the current point, in canvas units
    FormValue PointY;         // y of the current point, in canvas units
    FormValue TrackingActive; // 1 while the tracked game waits for canvas clicks
    FormValue Corner;         // corner number drawn for the latest step
};
