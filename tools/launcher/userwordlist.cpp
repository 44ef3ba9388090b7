// SPDX-License-Identifier: MIT
#include "tools/launcher/userwordlist.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>

namespace {

// Copies a file under another name first, so a half-written one is never
// used; on failure (a full disk) nothing is left behind.
bool copyFile(const QString &from, const QString &to)
{
    const QString partial = to + QStringLiteral(".partial");
    QFile::remove(partial);
    if (QFile::copy(from, partial)) {
        // The installed file may be read-only; the copy is the user's.
        QFile::setPermissions(partial, QFile::permissions(partial) | QFile::WriteOwner);
        QFile::remove(to);
        if (QFile::rename(partial, to))
            return true;
    }
    QFile::remove(partial);
    return false;
}

} // namespace

UserWordList::UserWordList(const Installed &installed, const QString &dataDirectory)
    : installed(installed)
    , dataDirectory(dataDirectory)
{
}

QString UserWordList::database() const
{
    return dataDirectory + QStringLiteral("/en-si.db");
}

// The installed dictionary as last brought into the user's copy: an update
// takes out what left it and brings in what came into it, forms included.
QString UserWordList::broughtDatabase() const
{
    return dataDirectory + QStringLiteral("/en-si.installed.db");
}

// What the Linux launcher of release 1.4 kept instead: the list last merged.
QString UserWordList::mergedList() const
{
    return dataDirectory + QStringLiteral("/en-si.merged.tsv");
}

// The previous the update starts from; with neither note nothing is known,
// so the copy only gains.
QString UserWordList::previous() const
{
    if (QFile::exists(broughtDatabase()))
        return broughtDatabase();
    if (QFile::exists(mergedList()))
        return mergedList();
    return QProcess::nullDevice();
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
        return makeCopy(error, warning);
    // Told by content, not by date: an installer may give a newer file an
    // older time.
    if (installedChanged()) {
        if (updateCopy())
            keepBrought(warning);
        else
            *warning = tr("Could not bring the updated word list into your copy; keeping yours as it is, "
                          "and trying again at the next start.");
    }
    return true;
}

bool UserWordList::makeCopy(QString *error, QString *warning)
{
    if (!copyFile(installed.database, database())) {
        *error = tr("Cannot copy the word list to %1.").arg(QDir::toNativeSeparators(database()));
        return false;
    }
    keepBrought(warning);
    return true;
}

// Notes the installed dictionary as brought into the copy. Failing, the
// update runs again at the next start, which changes nothing twice.
void UserWordList::keepBrought(QString *warning)
{
    if (copyFile(installed.database, broughtDatabase()))
        QFile::remove(mergedList());
    else
        *warning = tr("Could not note the update of your copy in %1; it is tried again at the next start.")
                       .arg(QDir::toNativeSeparators(dataDirectory));
}

// Brings the installed dictionary's changes into the user's copy, keeping
// the words the user imported and the history.
bool UserWordList::updateCopy()
{
    QProcess importer;
    importer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    importer.setStandardOutputFile(QProcess::nullDevice());
    importer.start(installed.importer, {QStringLiteral("--update-from"), previous(), installed.database, database()});
    return importer.waitForFinished(-1) && importer.exitStatus() == QProcess::NormalExit && importer.exitCode() == 0;
}

bool UserWordList::installedChanged() const
{
    QFile current(installed.database);
    QFile brought(broughtDatabase());
    if (!current.open(QIODevice::ReadOnly) || !brought.open(QIODevice::ReadOnly))
        return true;
    return current.readAll() != brought.readAll();
}
