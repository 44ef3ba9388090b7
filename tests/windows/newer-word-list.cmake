# SPDX-License-Identifier: MIT
# A pre-build script for cpack that makes the installer of a "newer build":
# its staged word list gains one word, and the staged en-si.db with it.
# Needs ORVANTA_HOST_IMPORTER and ORVANTA_NEWER_LINE (-D on cpack's line).
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(APPEND "${staged}/en-si.tsv" "${ORVANTA_NEWER_LINE}\n")
execute_process(COMMAND "${ORVANTA_HOST_IMPORTER}" "${staged}/en-si.tsv" "${staged}/en-si.db"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not import the newer word list")
endif()
