// SPDX-License-Identifier: MIT
#include "app/uilanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

QString translationFor(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        switch (QLocale(name).language()) {
        case QLocale::English:
            return QString();
        case QLocale::Sinhala:
            return QStringLiteral(":/i18n/orvanta-dictionary_si.qm");
        default:
            break;
        }
    }
    return QString();
}

bool installTranslation(QTranslator *translator, const QStringList &uiLanguages)
{
    const QString file = translationFor(uiLanguages);
    if (file.isEmpty() || !translator->load(file))
        return false;
    return QCoreApplication::installTranslator(translator);
}
