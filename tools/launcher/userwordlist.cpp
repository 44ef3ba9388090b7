// SPDX-License-Identifier: MIT
#include "launcher/userwordlist.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>

UserWordList::UserWordList(const Installed &installed, const QString &dataDirectory)
    : installed(installed)
    , dataDirectory(dataDirectory)
{
}

QString UserWordList::database() const
{
    return dataDirectory + QStringLiteral("/en-si.db");
}

// The installed list as it was when last merged into the user's copy: an
// update takes out what left it and brings in what came into it.
QString UserWordList::mergedList() const
{
    return dataDirectory + QStringLiteral("/en-si.merged.tsv");
}

bool UserWordList::prepare(QString *error, QString *warning)
{
    if (!QDir().mkpath(dataDirectory)) {
        *error = tr("Cannot create the folder %1 for your copy of the word list.")
                     .arg(QDir::toNativeSeparators(dataDirectory));
        return false;
    }
    // Two starts at once (a double click) take turns here; the second then
    // finds the copy made and up to date.
    QLockFile lock(dataDirectory + QStringLiteral("/.lock"));
    lock.lock();
    if (!QFile::exists(database()))
        return makeCopy(error);
    // Told by content, not by date: an installer may give a newer list an
    // older time.
    if (installedListChanged()) {
        if (!updateCopy() || !keepMergedList())
            *warning = tr("Could not merge the updated word list; keeping yours.");
    }
    return true;
}

// Copied under another name first, so a half-copied file is never used.
bool UserWordList::makeCopy(QString *error)
{
    const QString partial = database() + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QFile::copy(installed.database, partial) || !keepMergedList() || !QFile::rename(partial, database())) {
        QFile::remove(partial);
        *error = tr("Cannot copy the word list to %1.").arg(QDir::toNativeSeparators(database()));
        return false;
    }
    // The installed file may be read-only; the copy is the user's to write.
    QFile::setPermissions(database(), QFile::permissions(database()) | QFile::WriteOwner);
    return true;
}

// Copies the installed list beside the user's copy, once that is up to date.
bool UserWordList::keepMergedList()
{
    const QString partial = mergedList() + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QFile::copy(installed.list, partial))
        return false;
    QFile::setPermissions(partial, QFile::permissions(partial) | QFile::WriteOwner);
    QFile::remove(mergedList());
    return QFile::rename(partial, mergedList());
}

// Brings the changes of the installed list into the user's copy, keeping the
// words the user imported and the history.
bool UserWordList::updateCopy()
{
    QStringList arguments;
    if (QFile::exists(mergedList()))
        arguments << QStringLiteral("--update-from") << mergedList();
    // Without a merged list (a copy from before it was kept): merged, ours first.
    arguments << installed.list << database();
    QProcess importer;
    importer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    importer.setStandardOutputFile(QProcess::nullDevice());
    importer.start(installed.importer, arguments);
    return importer.waitForFinished(-1) && importer.exitStatus() == QProcess::NormalExit && importer.exitCode() == 0;
}

bool UserWordList::installedListChanged() const
{
    QFile current(installed.list);
    QFile merged(mergedList());
    if (!current.open(QIODevice::ReadOnly) || !merged.open(QIODevice::ReadOnly))
        return true;
    return current.readAll() != merged.readAll();
}
