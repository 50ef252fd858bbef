# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.22)
# The check of the layers' links itself: configured with a link the table
# does not allow, or with Widgets under a layer that must do without, a
# project must fail, naming the layer; with the links as they should be,
# it must configure.
#
#   cmake -DTABLE=<layer table> -DPROJECT=<linkcheck folder> -DWORK=<scratch folder> -P checklinks_catches.cmake

# case | what the configuration must say, or "" where it must succeed
set(cases
    "as the program has them|"
    "games links the canvas|games/ links chaos-canvas"
    "the explorer links the main window|explorer/ links chaos-mainwindow"
    "the engine links Widgets|exploration/ reaches Qt6::Widgets"
    "explain reaches Widgets through games|games/ reaches Qt6::Widgets")

set(failures 0)
set(index 0)
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 name)
    list(LENGTH fields count)
    set(expected "")
    if(count GREATER 1)
        list(GET fields 1 expected)
    endif()
    math(EXPR index "${index} + 1")
    file(REMOVE_RECURSE ${WORK}/case${index})
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${PROJECT} -B ${WORK}/case${index} -DTABLE=${TABLE} "-DCASE=${name}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    string(REGEX REPLACE "[ \n]+" " " output "${output}")
    if(expected STREQUAL "")
        if(NOT result EQUAL 0)
            message("WRONGLY REFUSED: ${name}: ${output}")
            math(EXPR failures "${failures} + 1")
        endif()
    elseif(result EQUAL 0)
        message("NOT CAUGHT: ${name}")
        math(EXPR failures "${failures} + 1")
    elseif(NOT output MATCHES "${expected}")
        message("CAUGHT BUT NOT SAID (${expected}): ${name}: ${output}")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} of ${index} cases judged wrongly")
endif()
message("all ${index} cases judged rightly")
