# SPDX-License-Identifier: MIT
# Derives the importer's table of English parts of speech and irregular forms
# from the installed WordNet 3.0 (Debian's wordnet-base):
#   cmake -DWORDNET_DIR=/usr/share/wordnet -DOUTPUT=wordnet.tsv -P wordnettable.cmake
# Lines "lemma<TAB>letter<TAB>tagged" give a lemma's part of speech (n noun,
# v verb, a adjective, r adverb) and how many of its senses of it the tagged
# corpus met; lines "form<TAB>LETTER<TAB>base..." its irregular forms. Spaces
# stand for WordNet's underscores.
foreach(name index.noun index.verb index.adj index.adv noun.exc verb.exc adj.exc adv.exc)
    if(NOT EXISTS ${WORDNET_DIR}/${name})
        message(FATAL_ERROR "${WORDNET_DIR}/${name} not found (install wordnet-base)")
    endif()
endforeach()

set(table "# Derived from WordNet 3.0, Copyright 2006 by Princeton University.\n")
foreach(name noun verb adj adv)
    file(READ ${WORDNET_DIR}/index.${name} text)
    # The licence at the top; then lemma, letter, counts, pointer symbols
    # (never digits), the count of senses and of tagged senses, offsets.
    string(REGEX REPLACE "(^|\n)  [^\n]*" "" text "${text}")
    string(REGEX REPLACE "\n([^ \n]+) ([nvar]) [0-9]+ [0-9]+ ([^0-9 \n][^ \n]* )*[0-9]+ ([0-9]+) [^\n]*" "\n\\1\t\\2\t\\4"
           text "\n${text}")
    string(APPEND table "${text}")
endforeach()
foreach(exc noun:N verb:V adj:A adv:R)
    string(REPLACE ":" ";" parts ${exc})
    list(GET parts 0 name)
    list(GET parts 1 letter)
    file(READ ${WORDNET_DIR}/${name}.exc text)
    string(REGEX REPLACE "\n([^ \n]+) " "\n\\1\t${letter}\t" text "\n${text}")
    string(REGEX REPLACE "[ ]+\n" "\n" text "${text}")
    string(REPLACE " " "\t" text "${text}")
    string(APPEND table "${text}")
endforeach()
string(REPLACE "_" " " table "${table}")
string(REGEX REPLACE "\n\n+" "\n" table "${table}")
file(WRITE ${OUTPUT}.tmp "${table}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
