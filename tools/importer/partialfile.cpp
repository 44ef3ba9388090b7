// SPDX-License-Identifier: MIT
#include "tools/importer/partialfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace {

const QLatin1String partMarker(".part-");

#ifdef Q_OS_UNIX
// The one partial file being written, for the signal handler, which may
// only use what is async-signal-safe.
char partialPath[4096];
volatile sig_atomic_t partialArmed = 0;

extern "C" void removePartialAndStop(int signalNumber)
{
    if (partialArmed)
        ::unlink(partialPath);
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

void arm(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.size() >= qsizetype(sizeof(partialPath)))
        return;
    std::memcpy(partialPath, encoded.constData(), encoded.size() + 1);
    partialArmed = 1;
    static const bool installed = [] {
        struct sigaction action = {};
        action.sa_handler = removePartialAndStop;
        sigemptyset(&action.sa_mask);
        for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP})
            sigaction(signalNumber, &action, nullptr);
        return true;
    }();
    Q_UNUSED(installed);
}

void disarm()
{
    partialArmed = 0;
}

bool isRunning(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}
#else
void arm(const QString &)
{
}
void disarm()
{
}
bool isRunning(qint64)
{
    return true; // cannot be told here: never remove another's file
}
#endif

} // namespace

PartialFile::PartialFile(const QString &finalPath)
    : fileName(QStringLiteral("%1%2%3-%4")
                   .arg(finalPath, partMarker)
                   .arg(QCoreApplication::applicationPid())
                   .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')))
{
}

PartialFile::~PartialFile()
{
    if (kept)
        return;
    disarm();
    QFile::remove(fileName);
}

bool PartialFile::create(QString *error)
{
    // Armed first: a signal between creating and arming would leave it.
    arm(fileName);
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return true;
    disarm();
    *error = QStringLiteral("cannot create %1: %2").arg(fileName, file.errorString());
    return false;
}

bool PartialFile::moveTo(const QString &path)
{
    kept = !QFileInfo::exists(path) && QFile::rename(fileName, path);
    if (kept)
        disarm();
    return kept;
}

QStringList PartialFile::removeStale(const QString &finalPath)
{
    const QFileInfo target(finalPath);
    QDir directory = target.absoluteDir();
    const QString prefix = target.fileName() + partMarker;
    QStringList removed;
    const QStringList names = directory.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        const QString owner = name.mid(prefix.size()).section(QLatin1Char('-'), 0, 0);
        bool isNumber = false;
        const qint64 pid = owner.toLongLong(&isNumber);
        // Names without a process id are not ours to judge.
        if (!isNumber || pid <= 0 || pid == QCoreApplication::applicationPid() || isRunning(pid))
            continue;
        if (directory.remove(name))
            removed.append(directory.filePath(name));
    }
    return removed;
}
