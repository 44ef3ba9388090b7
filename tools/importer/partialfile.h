// SPDX-License-Identifier: MIT
#ifndef PARTIALFILE_H
#define PARTIALFILE_H

#include <QString>
#include <QStringList>

// A new dictionary file while it is being built, beside its final name as
// "NAME.part-PID-RANDOM". It is removed unless it was completed and moved
// into place, also when the import is ended by SIGINT, SIGTERM or SIGHUP;
// the process id in the name tells later runs whether its import still runs.
class PartialFile
{
public:
    explicit PartialFile(const QString &finalPath);
    ~PartialFile();
    PartialFile(const PartialFile &) = delete;
    PartialFile &operator=(const PartialFile &) = delete;

    // Made with the usual mode for new files, not a private temporary one.
    bool create(QString *error);
    bool moveTo(const QString &path);
    const QString &name() const { return fileName; }

    // Removes the partial files of finalPath that no running process owns
    // (left by SIGKILL or a power cut) and gives their names.
    static QStringList removeStale(const QString &finalPath);

private:
    QString fileName;
    bool kept = false;
};

#endif
