// SPDX-License-Identifier: MIT
#ifndef SENSEMERGE_H
#define SENSEMERGE_H

#include <QString>
#include <QStringList>

// How an entry already in a dictionary file and an imported one come
// together. Values are "|"-joined senses; an empty value is no entry.
class SenseMerge
{
public:
    // The file's senses first, as stored, then the imported ones it lacks;
    // last the phrase line, one for the phrases of both.
    static QString merged(const QString &existing, const QString &imported);

    // A three-way update of the user's entry from `previous` (what our list
    // said when it was last merged) to `current` (what it says now): senses
    // that left our list leave, senses that came in arrive, in our order,
    // and the senses the user brought in otherwise stay, after ours, as do
    // those of `own` (what the user's imports gave the key) that our list
    // dropped. A sense our list kept but the user's copy lost stays lost. The
    // phrase line, last, is ours with the phrases the user's imports added.
    static QString updated(const QString &user, const QString &previous, const QString &current,
                           const QString &own = QString());
    // The senses of `imported` that `existing` has too, in imported order.
    static QStringList shared(const QString &existing, const QString &imported);
};

#endif
