// SPDX-License-Identifier: MIT
#ifndef BENCHDATA_H
#define BENCHDATA_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>

struct sqlite3;

// Where the benchmarks find their dictionaries, made once per run in a
// scratch directory. Each dictionary lives alone in a directory of its own,
// since the program opens ./en-si.db.
struct Datasets
{
    QString scratch;
    QString shipped;   // directory with the word list we ship
    QString shared;    // the open 45,000-word list, both directions (empty when absent)
    QString million;   // 1,000,000 synthetic keys
    QString merged;    // the open list merged into ours, as a user would (empty when absent)
    QString sharedCsv; // the source of `shared`
    QString millionTsv;
    QString importer; // the en-si-import program
    QString program;  // the orvanta-dictionary program
    QString bareWindow;
};
Datasets &datasets();

// The dictionary file in a dataset directory.
QString dictionaryIn(const QString &directory);
// Up to `count` keys of a dictionary, in no particular order.
QStringList sampleKeys(const QString &directory, int count);

// The raw SQLite C API on the same file, as the baseline for the program's
// own statements.
class RawDatabase
{
public:
    explicit RawDatabase(const QString &path);
    ~RawDatabase();
    RawDatabase(const RawDatabase &) = delete;
    RawDatabase &operator=(const RawDatabase &) = delete;

    QByteArray lookup(const QByteArray &word);
    // The search box's offers: the keys of a range, the more common first.
    QList<QByteArray> keysStartingWith(const QByteArray &prefix, const QByteArray &end, int limit);
    bool record(const QByteArray &word);
    bool exec(const char *sql);

private:
    sqlite3 *db = nullptr;
};

// Runs a program to its end under GNU time; its wall time (GNU time's own
// start included, well under a millisecond) and its own peak resident memory.
struct ProgramRun
{
    int status = -1;
    double seconds = 0;
    double peakMegabytes = 0;
};
ProgramRun runProgram(const QString &program, const QStringList &arguments, const QString &directory);

// Starts a program, lets it settle, and reads its peak resident memory
// (VmHWM: that of the image exec gave it, without this process's).
double settledPeakMegabytes(const QString &program, const QString &directory, int settleMilliseconds);

// The file system a path lives on, by name.
QString fileSystemOf(const QString &path);

using Clock = std::chrono::steady_clock;
inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

#endif
