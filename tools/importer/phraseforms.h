// SPDX-License-Identifier: MIT
#ifndef PHRASEFORMS_H
#define PHRASEFORMS_H

class EntryCollection;
class PhraseLine;

// Inflected phrases become keys as inflected words do: "gave up" leads to
// "give up (past tense)", then the senses of give up. A phrase with a verb
// sense inflects its first word, a compound of content words (bus stop) its
// last, taking the forms of that word that the entries already link to it
// (made by the form generator), so a phrase inflects exactly as its word
// does. A verb phrase whose first word is a headword with no verb forms
// among the entries (account, taken for a noun) gets them by the spelling
// rules. Keys that
// the entries have already stay as they are. Of the function words only be,
// have and do inflect (be used to: was used to); "he is" makes no forms.
class PhraseForms
{
public:
    static void add(const PhraseLine &phraseLine, EntryCollection *entries);
};

#endif
