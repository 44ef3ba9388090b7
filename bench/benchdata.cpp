// SPDX-License-Identifier: MIT
#include "bench/benchdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QThread>

#include <sqlite3.h>

#include <csignal>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

Datasets &datasets()
{
    static Datasets sets;
    return sets;
}

QString dictionaryIn(const QString &directory)
{
    return directory + QStringLiteral("/en-si.db");
}

QStringList sampleKeys(const QString &directory, int count)
{
    sqlite3 *handle = nullptr;
    sqlite3_open_v2(dictionaryIn(directory).toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    // Spread over the whole key range, not the first pages only.
    sqlite3_prepare_v2(handle, "select key from dict where rowid % (1 + (select count(*) from dict) / ?) = 0", -1,
                       &statement, nullptr);
    sqlite3_bind_int(statement, 1, count);
    QStringList keys;
    while (sqlite3_step(statement) == SQLITE_ROW && keys.size() < count)
        keys.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0))));
    sqlite3_finalize(statement);
    sqlite3_close(handle);
    return keys;
}

RawDatabase::RawDatabase(const QString &path)
{
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(db, 5000);
}

RawDatabase::~RawDatabase()
{
    sqlite3_close(db);
}

QByteArray RawDatabase::lookup(const QByteArray &word)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, "select value from dict where key = :word", -1, &statement, nullptr);
    sqlite3_bind_text(statement, 1, word.constData(), int(word.size()), SQLITE_TRANSIENT);
    QByteArray value;
    while (sqlite3_step(statement) == SQLITE_ROW)
        value = QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)),
                           sqlite3_column_bytes(statement, 0));
    sqlite3_finalize(statement);
    return value;
}

QList<QByteArray> RawDatabase::keysStartingWith(const QByteArray &prefix, const QByteArray &end, int limit)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db,
                       "select d.key, ifnull(r.rank, 99) as rank from dict d "
                       "left join keyrank r on r.key = d.key "
                       "where d.key >= :word and d.key < :end "
                       "order by rank, length(d.key), d.key limit :limit",
                       -1, &statement, nullptr);
    sqlite3_bind_text(statement, 1, prefix.constData(), int(prefix.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, end.constData(), int(end.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(statement, 3, limit);
    QList<QByteArray> keys;
    while (sqlite3_step(statement) == SQLITE_ROW)
        keys.append(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)),
                               sqlite3_column_bytes(statement, 0)));
    sqlite3_finalize(statement);
    return keys;
}

bool RawDatabase::record(const QByteArray &word)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, "insert into history(word) values(:word)", -1, &statement, nullptr);
    sqlite3_bind_text(statement, 1, word.constData(), int(word.size()), SQLITE_TRANSIENT);
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    return done;
}

bool RawDatabase::exec(const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

namespace {

// Measures a program's peak memory. The kernel keeps the peak of the image a
// child had before exec in its rusage, and a child forked from this process
// starts as a copy of it: wait4 would report the benchmark's own size for a
// small import. GNU time is a process of about 2 MB, so the peak it reports
// for its child is the program's own.
const char *const peakMeter = "/usr/bin/time";

pid_t spawn(const QString &program, const QStringList &arguments, const QString &directory, bool quiet)
{
    std::vector<QByteArray> storage;
    storage.reserve(size_t(arguments.size()) + 1);
    storage.push_back(program.toLocal8Bit());
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    argv.reserve(storage.size() + 1);
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);
    const QByteArray where = directory.toLocal8Bit();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(where.constData()) != 0)
            _exit(127);
        if (quiet) {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

} // namespace

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QString &directory)
{
    ProgramRun run;
    QTemporaryFile report;
    if (!QFile::exists(QLatin1String(peakMeter)) || !report.open()) {
        std::fprintf(stderr, "%s is missing (scripts/install-deps.sh test): no peak memory\n", peakMeter);
        return run;
    }
    const QStringList metered =
        QStringList{QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"), report.fileName(), program}
        + arguments;
    const Clock::time_point start = Clock::now();
    const pid_t pid = spawn(QLatin1String(peakMeter), metered, directory, true);
    int status = 0;
    waitpid(pid, &status, 0);
    run.seconds = secondsSince(start);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // A failed command adds a line before the figure, in kilobytes.
    const QList<QByteArray> lines = report.readAll().trimmed().split('\n');
    run.peakMegabytes = lines.last().trimmed().toDouble() / 1024.0;
    return run;
}

double settledPeakMegabytes(const QString &program, const QString &directory, int settleMilliseconds)
{
    const pid_t pid = spawn(program, {}, directory, true);
    QThread::msleep(settleMilliseconds);
    double megabytes = 0;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                megabytes = line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return megabytes;
}

QString fileSystemOf(const QString &path)
{
    struct statfs info
    {
    };
    if (statfs(path.toLocal8Bit().constData(), &info) != 0)
        return QStringLiteral("unknown");
    switch (info.f_type) {
    case 0xEF53:
        return QStringLiteral("ext4");
    case 0x01021994:
        return QStringLiteral("tmpfs");
    case 0x9123683E:
        return QStringLiteral("btrfs");
    case 0x58465342:
        return QStringLiteral("xfs");
    case 0x794C7630:
        return QStringLiteral("overlayfs");
    default:
        return QStringLiteral("0x%1").arg(quint64(info.f_type), 0, 16);
    }
}
