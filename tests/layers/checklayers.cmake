# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.22)
# Checks that no source of a layer includes a header of a folder above it
# or beside it, header-only code included: every #include "folder/..." of a
# layer's sources must name its own folder or one the layer table allows.
#
#   cmake -DROOT=<source tree> -DTABLE=<cmake/Layers.cmake> -P checklayers.cmake
#
# Prints each forbidden include as file:line and fails if there is one.
if(NOT ROOT OR NOT TABLE)
    message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -DTABLE=<layer table> -P checklayers.cmake")
endif()
include(${TABLE})

set(forbidden 0)
set(checked 0)
foreach(layer IN LISTS CHAOS_LAYERS)
    file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp ${ROOT}/${layer}/*.h.in)
    foreach(source IN LISTS sources)
        math(EXPR checked "${checked} + 1")
        file(STRINGS ${ROOT}/${source} lines)
        set(number 0)
        foreach(line IN LISTS lines)
            math(EXPR number "${number} + 1")
            if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/")
                set(included ${CMAKE_MATCH_1})
                if(included IN_LIST CHAOS_LAYERS AND NOT included STREQUAL layer
                   AND NOT included IN_LIST CHAOS_LAYER_${layer})
                    message("${source}:${number}: ${layer}/ includes ${included}/, which is not below it: ${line}")
                    math(EXPR forbidden "${forbidden} + 1")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(checked EQUAL 0)
    message(FATAL_ERROR "no sources of any layer under ${ROOT}")
endif()
if(forbidden GREATER 0)
    message(FATAL_ERROR "${forbidden} include(s) reach above their layer")
endif()
message("${checked} files of ${ROOT} include only their own layer and those below it")
