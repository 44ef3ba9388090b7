// SPDX-License-Identifier: MIT
#ifndef BAREWINDOW_H
#define BAREWINDOW_H

#include <QString>

class QWidget;

// The baseline for start-up: a plain QWidget holding the same widget types,
// texts, icons and shown result as the dictionary window, with nothing
// behind it (no database, no settings, no slots).
QWidget *buildBareWindow(const QString &shownHtml);

#endif
