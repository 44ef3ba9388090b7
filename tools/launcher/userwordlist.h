// SPDX-License-Identifier: MIT
#ifndef USERWORDLIST_H
#define USERWORDLIST_H

#include <QCoreApplication>
#include <QString>

// The user's own copy of the installed word list, which the program reads
// and writes as ./en-si.db: made on first use, and brought up to date when
// a later installation brings a changed list, keeping the user's history and
// imports. The same steps as the Linux launcher script.
class UserWordList
{
    Q_DECLARE_TR_FUNCTIONS(UserWordList)

public:
    struct Installed
    {
        QString database; // en-si.db, never written
        QString importer; // en-si-import
    };

    UserWordList(const Installed &installed, const QString &dataDirectory);

    // Makes or updates the copy. False with `error` set when there is no
    // usable copy; a failed update keeps the old copy and only sets `warning`.
    bool prepare(QString *error, QString *warning);

    QString directory() const { return dataDirectory; }
    QString database() const;

private:
    QString broughtDatabase() const;
    QString mergedList() const;
    QString previous() const;
    bool makeCopy(QString *error, QString *warning);
    void keepBrought(QString *warning);
    bool updateCopy();
    bool installedChanged() const;

    Installed installed;
    QString dataDirectory;
};

#endif
