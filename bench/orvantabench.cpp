// SPDX-License-Identifier: MIT
// Speed and memory of the dictionary, each figure beside its own baseline
// measured in the same run. Run through scripts/bench.sh.
#include "app/dictionary_0_9v.h"
#include "appinfo.h"
#include "bench/barewindow.h"
#include "bench/benchdata.h"
#include "format/resultformat.h"
#include "store/completionmodel.h"
#include "store/dictionarystore.h"
#include "store/spellingsuggester.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

// The program's default connection on a dataset, for as long as it lives.
class ProgramConnection
{
public:
    explicit ProgramConnection(const QString &directory)
        : previous(QDir::currentPath())
    {
        QDir::setCurrent(directory);
        handle = std::make_unique<QSqlDatabase>(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE")));
        QString error;
        if (!DictionaryStore::open(*handle, &error))
            std::fprintf(stderr, "%s\n", qPrintable(error));
    }
    ~ProgramConnection()
    {
        handle.reset();
        QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
        QDir::setCurrent(previous);
    }

private:
    QString previous;
    std::unique_ptr<QSqlDatabase> handle;
};

// Runs ours and the baseline one after the other in every iteration, so that
// both see the same machine, and reports each and their ratio.
void paired(benchmark::State &state, const std::function<void()> &ours, const std::function<void()> &baseline)
{
    double oursSeconds = 0;
    double baselineSeconds = 0;
    while (state.KeepRunning()) {
        Clock::time_point start = Clock::now();
        ours();
        oursSeconds += secondsSince(start);
        start = Clock::now();
        baseline();
        baselineSeconds += secondsSince(start);
    }
    const double iterations = double(state.iterations());
    state.counters["ours_us"] = oursSeconds / iterations * 1e6;
    state.counters["baseline_us"] = baselineSeconds / iterations * 1e6;
    state.counters["ratio"] = oursSeconds / baselineSeconds;
}

QList<QByteArray> utf8(const QStringList &words)
{
    QList<QByteArray> encoded;
    for (const QString &word : words)
        encoded.append(word.toUtf8());
    return encoded;
}

QString copyDataset(const QString &from, const QString &name)
{
    QString directory = datasets().scratch + QLatin1Char('/') + name;
    QDir().mkpath(directory);
    QFile::remove(dictionaryIn(directory));
    QFile::copy(dictionaryIn(from), dictionaryIn(directory));
    return directory;
}

void fillHistory(const QString &directory, int rows)
{
    RawDatabase db(dictionaryIn(directory));
    db.exec("begin");
    for (int i = 0; i < rows; ++i)
        db.record(QByteArray("word") + QByteArray::number(i % 5000));
    db.exec("commit");
}

// 1. The lookup path without widgets: statement, row, senses, HTML.
void lookup(benchmark::State &state, const QString *directory)
{
    const QStringList keys = sampleKeys(*directory, 1024);
    const QList<QByteArray> rawKeys = utf8(keys);
    ProgramConnection connection(*directory);
    RawDatabase raw(dictionaryIn(*directory));
    qsizetype next = 0;
    paired(
        state,
        [&] {
            QString value;
            QString error;
            DictionaryStore::lookup(keys.at(next), &value, &error);
            benchmark::DoNotOptimize(senseListHtml(value));
        },
        [&] {
            benchmark::DoNotOptimize(raw.lookup(rawKeys.at(next)));
            next = (next + 1) % keys.size();
        });
}

// Keys of a dictionary whose value starts with a link: generated forms
// (first) or, failing the pattern, headwords with senses of their own.
QStringList keysWhoseValue(const QString &directory, bool startsWithLink, int count)
{
    sqlite3 *handle = nullptr;
    sqlite3_open_v2(dictionaryIn(directory).toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(handle,
                       startsWithLink ? "select key from dict where value like '<a href=%' order by random() limit ?"
                                      : "select key from dict where value not like '%<a href=%' and key glob "
                                        "'[a-z]*' order by random() limit ?",
                       -1, &statement, nullptr);
    sqlite3_bind_int(statement, 1, count);
    QStringList keys;
    while (sqlite3_step(statement) == SQLITE_ROW)
        keys.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0))));
    sqlite3_finalize(statement);
    sqlite3_close(handle);
    return keys;
}

// 1b. A generated form (link line and the headword's senses) against a
// headword, on the same file.
void lookupForm(benchmark::State &state, const QString *directory)
{
    const QStringList forms = keysWhoseValue(*directory, true, 1024);
    const QStringList headwords = keysWhoseValue(*directory, false, 1024);
    ProgramConnection connection(*directory);
    qsizetype next = 0;
    QString error;
    paired(
        state,
        [&] {
            QString value;
            DictionaryStore::lookup(forms.at(next % forms.size()), &value, &error);
            benchmark::DoNotOptimize(senseListHtml(value));
        },
        [&] {
            QString value;
            DictionaryStore::lookup(headwords.at(next % headwords.size()), &value, &error);
            benchmark::DoNotOptimize(senseListHtml(value));
            ++next;
        });
}

// The number of keys of a dictionary file.
qint64 keyCount(const QString &path)
{
    sqlite3 *handle = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *count = nullptr;
    sqlite3_prepare_v2(handle, "select count(*) from dict", -1, &count, nullptr);
    sqlite3_step(count);
    const qint64 keys = sqlite3_column_int64(count, 0);
    sqlite3_finalize(count);
    sqlite3_close(handle);
    return keys;
}

// 1c. The prefix query for each keystroke of typing a key (its first one to
// six letters), against the same ranked range query through the C API.
void completion(benchmark::State &state, const QString *directory)
{
    QStringList prefixes;
    const QStringList keys = sampleKeys(*directory, 256);
    for (const QString &key : keys) {
        for (int length = 1; length <= std::min<qsizetype>(6, key.size()); ++length)
            prefixes.append(key.left(length));
    }
    QList<QByteArray> rawPrefixes;
    QList<QByteArray> rawEnds;
    for (const QString &prefix : std::as_const(prefixes)) {
        rawPrefixes.append(prefix.toUtf8());
        rawEnds.append(prefix.toUtf8() + "\xF4\x8F\xBF\xBF");
    }
    ProgramConnection connection(*directory);
    RawDatabase raw(dictionaryIn(*directory));
    qsizetype next = 0;
    QStringList offers;
    QList<int> ranks;
    QString error;
    paired(
        state,
        [&] {
            DictionaryStore::keysStartingWith(prefixes.at(next), CompletionModel::maxOffers, &offers, &ranks, &error);
        },
        [&] {
            benchmark::DoNotOptimize(
                raw.keysStartingWith(rawPrefixes.at(next), rawEnds.at(next), CompletionModel::maxOffers));
            next = (next + 1) % prefixes.size();
        });
}

// Ten-letter words of a dictionary with one slip each (two inner letters
// swapped, or one changed), none of them a key.
QStringList tenLetterMisses(const QString &directory, int count)
{
    QStringList misses;
    const QStringList keys = keysWhoseValue(directory, false, count * 20);
    for (const QString &key : keys) {
        if (key.size() != 10 || misses.size() >= count)
            continue;
        QString miss = key;
        if (misses.size() % 2)
            std::swap(miss[4], miss[5]);
        else
            miss[6] = miss[6] == QLatin1Char('q') ? QLatin1Char('x') : QLatin1Char('q');
        QString value;
        QString error;
        DictionaryStore::lookup(miss, &value, &error);
        if (value.isEmpty() && miss != key)
            misses.append(miss);
    }
    return misses;
}

// This process's resident memory now.
double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * 4096 / 1e6 : 0;
}

// 1d. The nearest spellings of a ten-letter miss, from our own index (built
// before timing; its size and build time are reported) and from Hunspell.
void nearestSpelling(benchmark::State &state, const QString *directory, SpellingSuggester::Checker checker)
{
    ProgramConnection connection(*directory);
    const QStringList misses = tenLetterMisses(*directory, 64);
    SpellingSuggester suggester(checker);
    // The first question loads what the answer needs: the index, Hunspell.
    const double before = residentMegabytes();
    const Clock::time_point start = Clock::now();
    suggester.suggestions(misses.constFirst(), CompletionModel::maxOffers);
    state.counters["first_ms"] = secondsSince(start) * 1e3;
    state.counters["grown_MB"] = residentMegabytes() - before;
    qsizetype next = 0;
    qsizetype answered = 0;
    while (state.KeepRunning()) {
        answered += suggester.suggestions(misses.at(next), CompletionModel::maxOffers).isEmpty() ? 0 : 1;
        next = (next + 1) % misses.size();
    }
    state.counters["index_MB"] = double(suggester.indexBytes()) / 1e6;
    state.counters["answered"] = double(answered) / double(state.iterations());
    state.counters["keys"] = double(keyCount(dictionaryIn(*directory)));
}

// 2. Recording a word: its own transaction, bound by the disk's flush.
void record(benchmark::State &state)
{
    const QString directory = copyDataset(datasets().shipped, QStringLiteral("record"));
    ProgramConnection connection(directory);
    RawDatabase raw(dictionaryIn(directory));
    QString error;
    paired(
        state, [&] { DictionaryStore::record(QStringLiteral("water"), &error); }, [&] { raw.record("water"); });
    state.SetLabel(fileSystemOf(directory).toStdString());
}

// 3. The history listing: the newest 20 come from the end of the key.
void historyListing(benchmark::State &state, const QString *directory)
{
    ProgramConnection connection(*directory);
    while (state.KeepRunning()) {
        QStringList words;
        QString error;
        DictionaryStore::recentWords(&words, &error);
        benchmark::DoNotOptimize(historyListHtml(words));
    }
}

// 4. Start-up: the window built, shown and painted, against a bare window
// of the same widgets built and painted the same way.
void startup(benchmark::State &state, const QString *directory)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(*directory);
    QString shown;
    {
        Dictionary_0_9v window;
        shown = window.findChild<QTextBrowser *>()->toHtml();
    }
    paired(
        state,
        [&] {
            auto *window = new Dictionary_0_9v;
            window->show();
            benchmark::DoNotOptimize(window->grab());
            delete window;
        },
        [&] {
            QWidget *window = buildBareWindow(shown);
            window->show();
            benchmark::DoNotOptimize(window->grab());
            delete window;
            QCoreApplication::processEvents();
        });
    QDir::setCurrent(previous);
}

// 5. From the search button's click to the view's repaint, against the
// lookup and the recording it does.
void pressToPaint(benchmark::State &state, const QString *directory)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(*directory);
    const QStringList keys = sampleKeys(*directory, 256);
    {
        QSettings settings;
        settings.setValue(QStringLiteral("startup"), false);
    }
    Dictionary_0_9v window;
    window.show();
    auto *searchBox = window.findChild<QLineEdit *>();
    auto *resultView = window.findChild<QTextBrowser *>();
    QPushButton *searchButton = nullptr;
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        if (button->text().isEmpty())
            searchButton = button;
    }
    qsizetype next = 0;
    QString error;
    paired(
        state,
        [&] {
            searchBox->setText(keys.at(next));
            searchButton->click();
            resultView->viewport()->repaint();
        },
        [&] {
            QString value;
            DictionaryStore::lookup(keys.at(next), &value, &error);
            benchmark::DoNotOptimize(senseListHtml(value));
            DictionaryStore::record(keys.at(next), &error);
            next = (next + 1) % keys.size();
        });
    QSettings().setValue(QStringLiteral("startup"), true);
    QDir::setCurrent(previous);
}

// The floor under an import: the same rows written straight through the C
// API in one transaction.
double rawWriteSeconds(const QString &source, const QString &target)
{
    sqlite3 *in = nullptr;
    sqlite3 *out = nullptr;
    sqlite3_open_v2(source.toUtf8().constData(), &in, SQLITE_OPEN_READONLY, nullptr);
    QFile::remove(target);
    sqlite3_open_v2(target.toUtf8().constData(), &out, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QList<QPair<QByteArray, QByteArray>> rows;
    sqlite3_stmt *read = nullptr;
    sqlite3_prepare_v2(in, "select key, value from dict", -1, &read, nullptr);
    while (sqlite3_step(read) == SQLITE_ROW)
        rows.append({QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(read, 0))),
                     QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(read, 1)))});
    sqlite3_finalize(read);
    sqlite3_close(in);

    const Clock::time_point start = Clock::now();
    sqlite3_exec(out,
                 "pragma journal_mode = off; pragma synchronous = off; begin;"
                 "create table dict(key text primary key, value text not null);"
                 "create table history(id integer primary key autoincrement, word text not null);",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(out, "insert into dict(key, value) values(?, ?)", -1, &insert, nullptr);
    for (const auto &row : std::as_const(rows)) {
        sqlite3_bind_text(insert, 1, row.first.constData(), int(row.first.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, row.second.constData(), int(row.second.size()), SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(out, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(out);
    const double seconds = secondsSince(start);
    QFile::remove(target);
    return seconds;
}

// 6. Import throughput and peak memory of the importer program.
void import(benchmark::State &state, const QStringList *sources, bool reverse, bool forms)
{
    const QString directory = datasets().scratch + QStringLiteral("/import");
    QDir().mkpath(directory);
    const QString target = directory + QStringLiteral("/imported.db");
    QStringList arguments;
    if (!reverse)
        arguments << QStringLiteral("--no-reverse");
    if (!forms)
        arguments << QStringLiteral("--no-forms");
    arguments << *sources << target;
    ProgramRun run;
    double seconds = 0;
    double floor = 0;
    while (state.KeepRunning()) {
        QFile::remove(target);
        run = runProgram(datasets().importer, arguments, directory);
        state.SetIterationTime(run.seconds);
        seconds += run.seconds;
        floor += rawWriteSeconds(target, directory + QStringLiteral("/raw.db"));
    }
    const double iterations = double(state.iterations());
    const double keys = double(keyCount(target));
    state.counters["status"] = run.status;
    state.counters["keys"] = keys;
    state.counters["keys_per_s"] = keys * iterations / seconds;
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["file_MB"] = double(QFileInfo(target).size()) / (1024.0 * 1024.0);
    state.counters["ours_us"] = seconds / iterations * 1e6;
    state.counters["baseline_us"] = floor / iterations * 1e6;
    state.counters["ratio"] = seconds / floor;
}

// One importer run of a pair: what it reads, the file it writes, and the
// dictionary that file starts as (none: a new file).
struct ImportRun
{
    QStringList options;
    QStringList sources;
    QString target;
    QString startFrom;
};

ProgramRun runImport(const ImportRun &import, const QString &directory)
{
    QFile::remove(import.target);
    if (!import.startFrom.isEmpty())
        QFile::copy(import.startFrom, import.target);
    return runProgram(datasets().importer, import.options + import.sources + QStringList{import.target}, directory);
}

// 6b. Two imports one after the other in every iteration, so that both see
// the same machine: their times, keys, files and peak memory.
void pairedImports(benchmark::State &state, const ImportRun &ours, const ImportRun &baseline)
{
    const QString directory = QFileInfo(ours.target).absolutePath();
    QDir().mkpath(directory);
    ProgramRun oursRun;
    ProgramRun baselineRun;
    double oursSeconds = 0;
    double baselineSeconds = 0;
    while (state.KeepRunning()) {
        oursRun = runImport(ours, directory);
        baselineRun = runImport(baseline, directory);
        state.SetIterationTime(oursRun.seconds);
        oursSeconds += oursRun.seconds;
        baselineSeconds += baselineRun.seconds;
    }
    const double iterations = double(state.iterations());
    state.counters["status"] = std::max(oursRun.status, baselineRun.status);
    state.counters["keys"] = double(keyCount(ours.target));
    state.counters["baseline_keys"] = double(keyCount(baseline.target));
    state.counters["peak_MB"] = oursRun.peakMegabytes;
    state.counters["baseline_peak_MB"] = baselineRun.peakMegabytes;
    state.counters["file_MB"] = double(QFileInfo(ours.target).size()) / (1024.0 * 1024.0);
    state.counters["baseline_file_MB"] = double(QFileInfo(baseline.target).size()) / (1024.0 * 1024.0);
    state.counters["ours_us"] = oursSeconds / iterations * 1e6;
    state.counters["baseline_us"] = baselineSeconds / iterations * 1e6;
    state.counters["ratio"] = oursSeconds / baselineSeconds;
}

// With generated forms against without, into new files.
void formsImport(benchmark::State &state, const QStringList *sources)
{
    const QString directory = datasets().scratch + QStringLiteral("/forms");
    pairedImports(state, {{}, *sources, directory + QStringLiteral("/with.db"), {}},
                  {{QStringLiteral("--no-forms")}, *sources, directory + QStringLiteral("/without.db"), {}});
}

// Merging a list into a dictionary that holds our list, against importing it
// into a new file; both with the importer's defaults.
void mergeImport(benchmark::State &state, const QStringList *sources)
{
    const QString directory = datasets().scratch + QStringLiteral("/merge");
    pairedImports(state, {{}, *sources, dictionaryIn(directory), dictionaryIn(datasets().shipped)},
                  {{}, *sources, directory + QStringLiteral("/new.db"), {}});
}

// 4b. Peak memory of the real program after start-up on the largest
// dictionary, against the bare window as a program.
void memory(benchmark::State &state)
{
    double ours = 0;
    double bare = 0;
    while (state.KeepRunning()) {
        ours = settledPeakMegabytes(datasets().program, datasets().million, 2500);
        bare = settledPeakMegabytes(datasets().bareWindow, datasets().scratch, 2500);
        state.SetIterationTime(1);
    }
    state.counters["ours_MB"] = ours;
    state.counters["baseline_MB"] = bare;
    state.counters["ratio"] = ours / bare;
}

void writeSyntheticList(const QString &path, int count)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray chunk;
    for (int i = 0; i < count; ++i) {
        // A permutation of 0..count-1, so keys are unique and unordered.
        const qint64 n = qint64(i) * 7919 % 1000003;
        chunk += "word" + QByteArray::number(n) + "\t\xE0\xB7\x80\xE0\xB6\xA0\xE0\xB6\xB1\xE0\xB6\xBA "
                 + QByteArray::number(n % 997) + "|\xE0\xB6\xB4\xE0\xB6\xAF\xE0\xB6\xBA\n";
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
}

bool prepareDatasets(const QString &scratch)
{
    Datasets &sets = datasets();
    sets.scratch = scratch;
    sets.importer = QStringLiteral(IMPORTER);
    sets.program = QStringLiteral(PROGRAM);
    sets.bareWindow = QStringLiteral(BARE_WINDOW);
    sets.shipped = scratch + QStringLiteral("/shipped");
    QDir().mkpath(sets.shipped);
    QFile::copy(QStringLiteral(SHIPPED_DB), dictionaryIn(sets.shipped));

    std::fprintf(stderr, "preparing 1,000,000 synthetic keys...\n");
    sets.million = scratch + QStringLiteral("/million");
    QDir().mkpath(sets.million);
    sets.millionTsv = scratch + QStringLiteral("/million.tsv");
    writeSyntheticList(sets.millionTsv, 1000000);
    if (runProgram(
            sets.importer,
            {QStringLiteral("--no-reverse"), QStringLiteral("--no-forms"), sets.millionTsv, dictionaryIn(sets.million)},
            scratch)
            .status
        != 0)
        return false;

    if (QFile::exists(QStringLiteral(SHARED_CSV))) {
        std::fprintf(stderr, "importing the shared word list...\n");
        sets.sharedCsv = QStringLiteral(SHARED_CSV);
        sets.shared = scratch + QStringLiteral("/shared");
        QDir().mkpath(sets.shared);
        if (runProgram(sets.importer, {QStringLiteral("--no-forms"), sets.sharedCsv, dictionaryIn(sets.shared)},
                       scratch)
                .status
            != 0)
            return false;
        std::fprintf(stderr, "merging the shared word list into ours...\n");
        sets.merged = scratch + QStringLiteral("/merged");
        QDir().mkpath(sets.merged);
        QFile::copy(dictionaryIn(sets.shipped), dictionaryIn(sets.merged));
        if (runProgram(sets.importer, {sets.sharedCsv, dictionaryIn(sets.merged)}, scratch).status != 0)
            return false;
    }
    return true;
}

// The settings of a returning user: history at start-up on.
void storeReturningUserSettings(const QString &config)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    QSettings settings;
    settings.setValue(QStringLiteral("startup"), true);
    settings.setValue(QStringLiteral("check"), true);
    settings.setValue(QStringLiteral("pos"), QPoint(200, 200));
}

void registerStoreBenchmarks(Datasets &sets)
{
    benchmark::RegisterBenchmark("lookup/shipped", lookup, &sets.shipped);
    if (!sets.shared.isEmpty())
        benchmark::RegisterBenchmark("lookup/shared_45k", lookup, &sets.shared);
    benchmark::RegisterBenchmark("lookup/synthetic_1m", lookup, &sets.million);
    benchmark::RegisterBenchmark("completion/shipped", completion, &sets.shipped);
    benchmark::RegisterBenchmark("completion/synthetic_1m", completion, &sets.million)->MinTime(3.0);
    if (!sets.merged.isEmpty()) {
        benchmark::RegisterBenchmark("nearest/merged_own", nearestSpelling, &sets.merged,
                                     SpellingSuggester::Checker::OwnSearchOnly)
            ->Unit(benchmark::kMillisecond);
        if (SpellingSuggester::builtWithHunspell())
            benchmark::RegisterBenchmark("nearest/merged_hunspell", nearestSpelling, &sets.merged,
                                         SpellingSuggester::Checker::WithHunspell)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("record", record)->MinTime(2.0);
}

// The history listings and the window, on copies of the shipped list with
// a history.
void registerWindowBenchmarks(Datasets &sets)
{
    static QString history100 = copyDataset(sets.shipped, QStringLiteral("history100"));
    static QString historyMillion = copyDataset(sets.shipped, QStringLiteral("history1m"));
    static QString startupDir = copyDataset(sets.shipped, QStringLiteral("startup"));
    fillHistory(history100, 100);
    fillHistory(historyMillion, 1000000);
    fillHistory(startupDir, 100);
    benchmark::RegisterBenchmark("history/100_rows", historyListing, &history100);
    benchmark::RegisterBenchmark("history/1m_rows", historyListing, &historyMillion);
    benchmark::RegisterBenchmark("startup/window", startup, &startupDir)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("press_to_paint", pressToPaint, &startupDir)->MinTime(2.0);
    benchmark::RegisterBenchmark("lookup/form_against_headword", lookupForm, &sets.shipped);
}

void registerImportBenchmarks(const Datasets &sets)
{
    static const QStringList shippedSource{QStringLiteral(SHIPPED_TSV)};
    static const QStringList sharedSource{sets.sharedCsv};
    static const QStringList bothSources{QStringLiteral(SHIPPED_TSV), sets.sharedCsv};
    static const QStringList millionSource{sets.millionTsv};
    benchmark::RegisterBenchmark("import/shipped_forms", formsImport, &shippedSource)
        ->UseManualTime()
        ->Iterations(5)
        ->Unit(benchmark::kMillisecond);
    if (!sets.shared.isEmpty()) {
        benchmark::RegisterBenchmark("import/shipped_and_shared_forms", formsImport, &bothSources)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("import/shared_both_directions", import, &sharedSource, true, false)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("import/shared_english_only", import, &sharedSource, false, false)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("import/merge_shared_into_shipped", mergeImport, &sharedSource)
            ->UseManualTime()
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("import/synthetic_1m", import, &millionSource, false, false)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("memory/startup_1m", memory)->UseManualTime()->Iterations(1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    const QString config = scratch.path() + QStringLiteral("/config");
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QLatin1String(AppInfo::settingsOrganisation));
    QCoreApplication::setApplicationName(QLatin1String(AppInfo::settingsApplication));
    storeReturningUserSettings(config);
    benchmark::Initialize(&argc, argv);
    if (!prepareDatasets(scratch.path())) {
        std::fprintf(stderr, "could not prepare the dictionaries\n");
        return 1;
    }
    Datasets &sets = datasets();
    registerStoreBenchmarks(sets);
    registerWindowBenchmarks(sets);
    registerImportBenchmarks(sets);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
