# SPDX-License-Identifier: MIT
# Where the DLLs a Windows program of this build needs are: Qt's (with
# SQLite) and MinGW's runtime. Then Wine runs those programs for the tests:
# the DLLs are found through WINEPATH, in a Wine prefix of the build's own.

# The MinGW runtime DLLs sit beside the cross compiler's libraries.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(directory "${path}" DIRECTORY)
    get_filename_component(directory "${directory}" REALPATH)
    list(APPEND MINGW_RUNTIME_DIRS "${directory}")
endforeach()
list(REMOVE_DUPLICATES MINGW_RUNTIME_DIRS)
get_filename_component(QT_WINDOWS_BIN_DIR "${Qt6_DIR}/../../../bin" REALPATH)
# CMake looks for a Windows program's DLLs under lower-case names, which a
# Linux file system tells apart: the installer takes Qt's from copies so
# named (Windows does not mind the case).
set(WINDOWS_DLL_DIR ${PROJECT_BINARY_DIR}/windows-dlls)
file(GLOB qtDlls ${QT_WINDOWS_BIN_DIR}/*.dll)
foreach(dll IN LISTS qtDlls)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" name)
    configure_file("${dll}" "${WINDOWS_DLL_DIR}/${name}" COPYONLY)
endforeach()

find_program(WINE_PROGRAM wine)
if(NOT WINE_PROGRAM)
    message(STATUS "Wine not found: the Windows tests cannot run here")
    return()
endif()

set(winepath)
foreach(directory IN LISTS QT_WINDOWS_BIN_DIR MINGW_RUNTIME_DIRS)
    string(APPEND winepath "Z:${directory};")
endforeach()
string(REPLACE "/" "\\\\" WINEPATH "${winepath}")
set(WINEPREFIX_DIR ${PROJECT_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
