# SPDX-License-Identifier: MIT
# Writes the menu entry at install time, when the prefix is known. The Exec
# path is quoted as the Desktop Entry specification asks where it holds a
# space or another reserved character (a home folder "my name"): unquoted,
# desktops refuse to start it.
# Expects TEMPLATE, OUTPUT, PROGRAM (the launcher's full path).
set(exec "${PROGRAM}")
if(exec MATCHES "\n")
    message(FATAL_ERROR "the install path holds a line break: no menu entry can name it")
endif()
set(reserved " " "\t" "\"" "'" "\\" ">" "<" "~" "|" "&" ";" "$" "*" "?" "#" "(" ")" "`")
set(quote OFF)
foreach(character IN LISTS reserved)
    string(FIND "${exec}" "${character}" at)
    if(NOT at EQUAL -1)
        set(quote ON)
    endif()
endforeach()
if(quote)
    # Inside the quotes \ " ` $ take a backslash; then the key file's own
    # escaping doubles every backslash.
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    set(exec "\"${exec}\"")
    string(REPLACE "\\" "\\\\" exec "${exec}")
endif()
# A percent sign would start a field code.
string(REPLACE "%" "%%" DESKTOP_EXEC "${exec}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
