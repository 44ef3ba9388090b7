# SPDX-License-Identifier: MIT
# Run by cpack on the staged files before packing: strips the programs the
# way Debian's own packages are, without the compiler's .comment notes; and
# the Windows programs and DLLs of the installer (ELF and PE files).
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS staged)
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46" OR magic MATCHES "^4d5a")
        execute_process(COMMAND "${CPACK_STRIP_PROGRAM}" --remove-section=.comment --remove-section=.note
                                --strip-unneeded "${file}"
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "could not strip ${file}")
        endif()
    endif()
endforeach()
