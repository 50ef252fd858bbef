# SPDX-License-Identifier: GPL-3.0-or-later
# Run by the installation before it installs any file: writes the folders it
# is about to create, those on the way to its files that do not exist yet,
# one a line, each before the folder that holds it, to
# CHAOS_INSTALL_FOLDERS_FILE (beside install_manifest.txt). The README's
# removal step takes away these folders, and no other.
#
# Set by the installation: CHAOS_INSTALL_DESTINATIONS, the folders the files
# go to, relative to the prefix; CHAOS_ICON_DIR, the icons' build folder,
# whose tree goes to CHAOS_ICON_DESTINATION.
set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(destinations ${CHAOS_INSTALL_DESTINATIONS})
file(GLOB_RECURSE icons RELATIVE "${CHAOS_ICON_DIR}" "${CHAOS_ICON_DIR}/*")
foreach(icon IN LISTS icons)
    get_filename_component(folder "${icon}" DIRECTORY)
    list(APPEND destinations "${CHAOS_ICON_DESTINATION}/${folder}")
endforeach()

set(created)
foreach(destination IN LISTS destinations)
    set(folder "${prefix}/${destination}")
    while(NOT EXISTS "${folder}")
        list(APPEND created "${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
endforeach()
list(REMOVE_DUPLICATES created)
# A folder's name begins with that of the folder holding it, so in
# descending order each comes before its parent.
list(SORT created ORDER DESCENDING)
list(JOIN created "\n" lines)
if(lines)
    string(APPEND lines "\n")
endif()
file(WRITE "${CHAOS_INSTALL_FOLDERS_FILE}" "${lines}")
