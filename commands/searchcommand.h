// SPDX-License-Identifier: MIT
#ifndef SEARCHCOMMAND_H
#define SEARCHCOMMAND_H

#include <QString>

// What the search box text asks for when a search is triggered.
enum class SearchCommand { None, History, Help, Version };

// Case-sensitive match of the whole text, white space around it aside,
// against the six command words; any other character makes it a word.
SearchCommand recognizeSearchCommand(const QString &typed);

QString helpPage();
QString versionPage();

#endif
