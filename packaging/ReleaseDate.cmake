# SPDX-License-Identifier: GPL-3.0-or-later
# The release date, written YYYY-MM-DD, in the form of RFC 2822 that a
# Debian changelog's sign-off line takes, e.g. "Tue, 08 Dec 2026 00:00:00 +0000".
function(chaos_rfc2822_date iso_date out_var)
    if(NOT iso_date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "release date '${iso_date}' is not YYYY-MM-DD")
    endif()
    set(year ${CMAKE_MATCH_1})
    set(day ${CMAKE_MATCH_3})
    math(EXPR month "1${CMAKE_MATCH_2} - 100") # without a leading zero

    # The day of the week by Sakamoto's method; 0 is Sunday.
    math(EXPR month_index "${month} - 1")
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    list(GET offsets ${month_index} offset)
    set(y ${year})
    if(month LESS 3)
        math(EXPR y "${y} - 1")
    endif()
    math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + 1${day} - 100) % 7")

    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekday_name)
    list(GET months ${month_index} month_name)
    set(${out_var} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()
