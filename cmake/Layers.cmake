# SPDX-License-Identifier: GPL-3.0-or-later
# The program's layers: each folder, lowest first, with the folders its
# sources may include, the ones below it that it builds on. Nothing includes
# a folder above it or beside it. The build links each folder's library
# accordingly, and tests/layers/ checks every include against this table.
set(CHAOS_LAYERS random picture program exploration canvas games explain explorer mainwindow cli app)
set(CHAOS_LAYER_random)
set(CHAOS_LAYER_picture)
set(CHAOS_LAYER_program picture)
set(CHAOS_LAYER_exploration picture random)
set(CHAOS_LAYER_canvas picture)
set(CHAOS_LAYER_games picture random)
set(CHAOS_LAYER_explain games picture random)
set(CHAOS_LAYER_explorer canvas exploration picture program random)
set(CHAOS_LAYER_mainwindow canvas explain explorer exploration games picture program random)
set(CHAOS_LAYER_cli mainwindow canvas explain explorer exploration games picture program random)
set(CHAOS_LAYER_app cli mainwindow canvas explain explorer exploration games picture program random)

# Gives `target`, the library of the folder being built, its headers as
# "folder/file.h" through a view of that one folder in the build tree. A
# source sees the headers of its own folder and of the libraries it links,
# and no others: a lower layer that includes a higher one fails to build.
function(chaos_layer_headers target)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    if(NOT folder IN_LIST CHAOS_LAYERS)
        message(FATAL_ERROR "${folder}/ is no layer of cmake/Layers.cmake: give it its place there")
    endif()
    set(view ${CMAKE_BINARY_DIR}/layers/${folder})
    if(NOT EXISTS ${view}/${folder})
        file(MAKE_DIRECTORY ${view})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${view}/${folder} SYMBOLIC)
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${view})
    else()
        target_include_directories(${target} PUBLIC ${view})
    endif()
endfunction()
