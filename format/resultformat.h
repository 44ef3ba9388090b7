// SPDX-License-Identifier: MIT
#ifndef RESULTFORMAT_H
#define RESULTFORMAT_H

#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

// The one description of a dictionary value, as the importer stores it and
// the window shows it: senses joined by senseSeparator, some of them lines
// of links to other keys.

inline constexpr QChar senseSeparator = u'|';

// Ranks in keyrank: how common a word is (scowl's grades, 10 the most
// common), `unrankedWord` where no list says, and generated forms after
// every headword and phrase, from `generatedFormRank` on.
inline constexpr int unrankedWord = 99;
inline constexpr int generatedFormRank = 100;

// Every sense of a "|"-joined entry followed by "<br />", empty senses kept.
// Senses are our own data and go in as written, markup included.
QString senseListHtml(const QString &entry);

// The history listing: one link per word, each followed by "<br/>".
QString historyListHtml(const QStringList &words);

// A link must lead back to exactly its word, whatever it holds (quotes,
// '#', '?', '%', ':', spaces, Sinhala script). The target is the word's
// UTF-8 bytes percent-encoded, so the view's URL parsing has nothing left to
// interpret; it contains no quote and needs no HTML escaping.
QString linkTargetForWord(const QString &word);

// A link to the word that looks it up when clicked: "<a href='", the
// target, "'>", the word HTML-escaped, "</a>".
QString linkHtml(const QString &word);

// The word a clicked link stands for: the URL's encoded form, percent-decoded.
// A plain link such as href='apple' gives "apple".
QString wordFromLink(const QUrl &url);

// The words the links of a value show, HTML-unescaped, in order.
QStringList linkedWords(const QString &value);

// The first sense of a generated form: its bases, linked where they are in
// `linkable` and plain otherwise, then what form it is ("went" gives
// "<a href='go'>go</a> (past tense)").
QString formLinkLine(const QStringList &bases, const QSet<QString> &linkable, const QStringList &labels);
bool isFormLinkLine(const QString &sense);

// The last sense of a word that heads phrases: links to them, ", "-joined.
QString phraseLine(const QStringList &phrases);
QStringList phrasesOfLine(const QString &line);
bool isPhraseLine(const QString &sense);

// Either line: a sense the importer wrote rather than a source.
bool isLinkLine(const QString &sense);

#endif
