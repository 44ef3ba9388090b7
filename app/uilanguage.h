// SPDX-License-Identifier: MIT
#ifndef UILANGUAGE_H
#define UILANGUAGE_H

#include <QString>
#include <QStringList>

class QTranslator;

// The translation to load for the user's UI languages, most wanted first
// (QLocale::uiLanguages()): the resource path of the first language the
// window speaks, or an empty string when that is English, which needs none,
// or when the window speaks none of them.
QString translationFor(const QStringList &uiLanguages);

// Loads that translation into the translator and installs it in the
// application; false when there is none to load.
bool installTranslation(QTranslator *translator, const QStringList &uiLanguages);

#endif
