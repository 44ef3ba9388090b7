# SPDX-License-Identifier: MIT
# Writes OUTPUT: "word<TAB>grade" for every word of scowl's English word
# lists in SCOWL_DIR (grade 10 is the most common, 95 the rarest), from the
# installed package, for en-si-import --ranks.
set(lists)
foreach(grade 10 20 35 40 50 55 60 70 80 95)
    foreach(kind english-words english-contractions american-words british-words)
        set(file ${SCOWL_DIR}/${kind}.${grade})
        if(EXISTS ${file})
            file(STRINGS ${file} words ENCODING UTF-8)
            list(TRANSFORM words APPEND "\t${grade}")
            list(APPEND lists ${words})
        endif()
    endforeach()
endforeach()
list(JOIN lists "\n" text)
file(WRITE ${OUTPUT} "${text}\n")
