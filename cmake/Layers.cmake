# SPDX-License-Identifier: GPL-3.0-or-later
# The program's layers: each folder, lowest first, with the folders its
# sources may include, the ones below it that it builds on. Nothing includes
# a folder above it or beside it. Configuring checks each folder's library
# links against this table (chaos_check_layer_links), and tests/layers/
# checks every include against it.
set(CHAOS_LAYERS random picture files program exploration canvas games explain explorer mainwindow cli app)
set(CHAOS_LAYER_random)
set(CHAOS_LAYER_picture)
set(CHAOS_LAYER_files)
set(CHAOS_LAYER_program picture files)
set(CHAOS_LAYER_exploration picture random files)
set(CHAOS_LAYER_canvas picture)
set(CHAOS_LAYER_games picture random)
set(CHAOS_LAYER_explain games picture random)
set(CHAOS_LAYER_explorer canvas exploration picture program random files)
set(CHAOS_LAYER_mainwindow canvas explain explorer exploration games picture program random files)
set(CHAOS_LAYER_cli mainwindow canvas explain explorer exploration games picture program random files)
set(CHAOS_LAYER_app cli mainwindow canvas explain explorer exploration games picture program random files)

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

# The layers that must work without Widgets: the engine, the games and
# everything they build on.
set(CHAOS_LAYERS_WITHOUT_WIDGETS random picture files exploration games explain)

# Checks, once every layer's library is defined, that each links only the
# layers the table allows it, and that the layers without Widgets reach no
# Widgets through any of their links. Fails the configuration otherwise.
function(chaos_check_layer_links)
    foreach(layer IN LISTS CHAOS_LAYERS)
        set(reached)
        set(pending chaos-${layer})
        while(pending)
            list(POP_FRONT pending target)
            if(target IN_LIST reached OR NOT TARGET ${target})
                continue()
            endif()
            list(APPEND reached ${target})
            get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
            get_target_property(type ${target} TYPE)
            if(NOT type STREQUAL "INTERFACE_LIBRARY")
                get_target_property(own ${target} LINK_LIBRARIES)
                list(APPEND links ${own})
            endif()
            foreach(link IN LISTS links)
                # A private link of a static library reaches its users as $<LINK_ONLY:...>.
                string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
                if(target STREQUAL "chaos-${layer}" AND link MATCHES "^chaos-(.+)$")
                    # Only other layers count: not the library's own parts (its resources).
                    if(CMAKE_MATCH_1 IN_LIST CHAOS_LAYERS AND NOT CMAKE_MATCH_1 IN_LIST CHAOS_LAYER_${layer})
                        message(FATAL_ERROR "${layer}/ links ${link}, which cmake/Layers.cmake does not allow it")
                    endif()
                endif()
                # Qt's own modules are not followed: what a layer reaches
                # of Qt, it reaches through a link of one of the program's libraries.
                if(link MATCHES "^chaos-")
                    list(APPEND pending ${link})
                elseif(link MATCHES "^Qt6?::Widgets$")
                    list(APPEND reached Qt6::Widgets)
                endif()
            endforeach()
        endwhile()
        if(layer IN_LIST CHAOS_LAYERS_WITHOUT_WIDGETS AND "Qt6::Widgets" IN_LIST reached)
            message(FATAL_ERROR "${layer}/ reaches Qt6::Widgets through its links: it must work without Widgets")
        endif()
    endforeach()
endfunction()
