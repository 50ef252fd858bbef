// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/formvalue.h"

FormValue FormValue::integer(std::int16_t value)
{
    return FormValue(Kind::Integer, value);
}

FormValue FormValue::single(float value)
{
    return FormValue(Kind::Single, value);
}

FormValue FormValue::real(double value)
{
    return FormValue(Kind::Double, value);
}
