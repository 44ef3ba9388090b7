# SPDX-License-Identifier: MIT
# Writes how often WordNet's tagged corpus uses each multi-word lemma, the
# counts of cntlist.rev summed over the lemma's senses, one
# "phrase<TAB>count" line each, sorted. The phrase line ranks by it.
# Usage: cmake -DCOUNTS=.../cntlist.rev -DOUTPUT=phrase-counts.tsv -P phrasecounts.cmake
# cntlist.rev lines: "lemma%sense-key-rest sense-number tag-count".
file(STRINGS "${COUNTS}" lines REGEX "^[^% ]*_[^% ]*%")
set(pairs "")
foreach(line IN LISTS lines)
    if(line MATCHES "^([^%]+)%[^ ]+ [0-9]+ ([0-9]+)$")
        string(REPLACE "_" " " lemma "${CMAKE_MATCH_1}")
        string(TOLOWER "${lemma}" lemma)
        list(APPEND pairs "${lemma}\t${CMAKE_MATCH_2}")
    endif()
endforeach()
list(SORT pairs)

set(table "")
set(current "")
set(total 0)
foreach(pair IN LISTS pairs)
    string(REPLACE "\t" ";" fields "${pair}")
    list(GET fields 0 lemma)
    list(GET fields 1 count)
    if(NOT lemma STREQUAL current)
        if(total GREATER 0)
            string(APPEND table "${current}\t${total}\n")
        endif()
        set(current "${lemma}")
        set(total 0)
    endif()
    math(EXPR total "${total} + ${count}")
endforeach()
if(total GREATER 0)
    string(APPEND table "${current}\t${total}\n")
endif()
file(WRITE "${OUTPUT}" "${table}")
