// SPDX-License-Identifier: MIT
#ifndef SEARCHCOMMAND_H
#define SEARCHCOMMAND_H

#include <QString>

// What the search box text asks for when a search is triggered.
enum class SearchCommand { None, History, Help, Version };

// Whole-string, case-sensitive match against the six command words.
SearchCommand recognizeSearchCommand(const QString &text);

QString helpPage();
QString versionPage();

#endif
