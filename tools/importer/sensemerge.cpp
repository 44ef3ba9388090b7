// SPDX-License-Identifier: MIT
#include "sensemerge.h"

#include <QSet>
#include <QStringList>

namespace {

const QChar separator = QLatin1Char('|');

QStringList sensesOf(const QString &value)
{
    return value.split(separator, Qt::SkipEmptyParts);
}

QSet<QString> setOf(const QStringList &senses)
{
    return QSet<QString>(senses.cbegin(), senses.cend());
}

// Appends the sense unless it is there already.
void addOnce(QStringList *senses, QSet<QString> *seen, const QString &sense)
{
    if (seen->contains(sense))
        return;
    seen->insert(sense);
    senses->append(sense);
}

} // namespace

QString SenseMerge::merged(const QString &existing, const QString &imported)
{
    QStringList senses;
    QSet<QString> seen;
    for (const QString &sense : sensesOf(existing))
        addOnce(&senses, &seen, sense);
    for (const QString &sense : sensesOf(imported))
        addOnce(&senses, &seen, sense);
    return senses.join(separator);
}

QStringList SenseMerge::shared(const QString &existing, const QString &imported)
{
    QStringList senses;
    if (existing.isEmpty())
        return senses;
    const QSet<QString> had = setOf(sensesOf(existing));
    for (const QString &sense : sensesOf(imported)) {
        if (had.contains(sense))
            senses.append(sense);
    }
    return senses;
}

QString SenseMerge::updated(const QString &user, const QString &previous, const QString &current, const QString &own)
{
    const QStringList userSenses = sensesOf(user);
    const QStringList currentSenses = sensesOf(current);
    const QSet<QString> had = setOf(userSenses);
    const QSet<QString> was = setOf(sensesOf(previous));
    const QSet<QString> is = setOf(currentSenses);
    const QSet<QString> imported = setOf(sensesOf(own));
    QStringList senses;
    QSet<QString> seen;
    for (const QString &sense : currentSenses) {
        if (had.contains(sense) || !was.contains(sense))
            addOnce(&senses, &seen, sense);
    }
    for (const QString &sense : userSenses) {
        if (!is.contains(sense) && (!was.contains(sense) || imported.contains(sense)))
            addOnce(&senses, &seen, sense);
    }
    return senses.join(separator);
}
