# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.22)
# The include check itself: in a small tree of one source file, an include
# that reaches above or beside its layer must fail the check and be named
# with its file and line; an allowed one must pass.
#
#   cmake -DCHECKER=<checklayers.cmake> -DTABLE=<layer table> -DWORK=<scratch folder> -P checklayers_catches.cmake

# file | the line it holds | whether the check must pass
set(cases
    "games/mode.cpp|#include \"mainwindow/mainwindow.h\"|fail"
    "games/mode.cpp|#include \"canvas/canvas.h\"|fail"
    "exploration/walk.h|#include \"canvas/canvas.h\"|fail"
    "picture/surface.h|  #  include \"games/clock.h\"|fail"
    "canvas/view.cpp|#include \"explorer/explorerwindow.h\"|fail"
    "random/draws.h|#include \"picture/picture.h\"|fail"
    "games/mode.cpp|#include \"picture/easel.h\"|pass"
    "games/mode.cpp|#include \"games/clock.h\"|pass"
    "explorer/window.cpp|#include \"exploration/presets.h\"|pass"
    "app/main.cpp|#include \"cli/commandline.h\"|pass"
    "games/mode.cpp|// #include \"mainwindow/mainwindow.h\" is what a mode never does|pass"
    "games/mode.cpp|#include <QWidget>|pass")

set(failures 0)
set(index 0)
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 file)
    list(GET fields 1 line)
    list(GET fields 2 expected)
    math(EXPR index "${index} + 1")
    set(tree ${WORK}/case${index})
    file(REMOVE_RECURSE ${tree})
    file(WRITE ${tree}/${file} "// a source of the layer\n${line}\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -DTABLE=${TABLE} -P ${CHECKER}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(expected STREQUAL "fail")
        if(result EQUAL 0)
            message("NOT CAUGHT: ${file}: ${line}")
            math(EXPR failures "${failures} + 1")
        elseif(NOT output MATCHES "${file}:2: ")
            message("CAUGHT BUT NOT NAMED as ${file}:2: ${output}")
            math(EXPR failures "${failures} + 1")
        endif()
    elseif(NOT result EQUAL 0)
        message("WRONGLY REFUSED: ${file}: ${line}\n${output}")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} of ${index} cases judged wrongly")
endif()
message("all ${index} cases judged rightly")
