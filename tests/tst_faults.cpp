// SPDX-License-Identifier: MIT
// Nothing is lost and nothing freezes when things go wrong around the
// dictionary file: a second program, a kill, a lock, a full disk, a
// read-only directory, settings that cannot be written.
#include "tests/testsupport.h"
#include "tests/windowdriver.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <utility>

#include <csignal>
#include <sys/resource.h>

namespace {

QList<Row> numberedWords(const QString &prefix, int count)
{
    QList<Row> rows;
    for (int i = 0; i < count; ++i)
        rows.append({prefix + QString::number(i), QStringLiteral("සිංහල %1").arg(i)});
    return rows;
}

QProcess *startDriver(const TestEnvironment &environment, const QString &prefix, int count)
{
    auto *process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), environment.path() + QStringLiteral("/config"));
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(environment.path());
    process->start(QStringLiteral(FAULT_DRIVER), {prefix, QString::number(count)});
    return process;
}

// Keeps the write lock of the file, as another program in the middle of a
// write would, until it goes.
class WriteLock
{
public:
    explicit WriteLock(const QString &path)
    {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        held = query.exec(QStringLiteral("begin immediate"))
               && query.exec(QStringLiteral("insert into history(word) values('other program')"));
    }
    ~WriteLock()
    {
        QSqlQuery(db).exec(QStringLiteral("rollback"));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    }
    bool held = false;

private:
    QSqlDatabase db;
};

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void twoProgramsAtOnce();
    void killedMidWrite();
    void lockedDatabase();
    void diskFull();
    void fileSizeLimit();
    void readOnlyDirectory();
    void unwritableSettings();

private:
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<ModalWatcher> boxes;
    int expectedBoxes = 0;
};

void TestFaults::init()
{
    environment = std::make_unique<TestEnvironment>();
    environment->createDictionary(numberedWords(QStringLiteral("a"), 1000) + numberedWords(QStringLiteral("b"), 1000));
    environment->writeSettings({{"startup", false}, {"check", false}});
    boxes = std::make_unique<ModalWatcher>();
}

void TestFaults::cleanup()
{
    finishTestCase(boxes, environment, std::exchange(expectedBoxes, 0));
}

void TestFaults::twoProgramsAtOnce()
{
    const int count = 300;
    std::unique_ptr<QProcess> first(startDriver(*environment, QStringLiteral("a"), count));
    std::unique_ptr<QProcess> second(startDriver(*environment, QStringLiteral("b"), count));
    for (QProcess *process : {first.get(), second.get()}) {
        QVERIFY(process->waitForFinished(240000));
        QVERIFY2(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0,
                 process->readAllStandardError().constData());
    }
    QStringList expected;
    for (const QString &prefix : {QStringLiteral("a"), QStringLiteral("b")}) {
        for (int i = 0; i < count; ++i)
            expected.append(prefix + QString::number(i));
    }
    QStringList recorded = environment->history();
    recorded.sort();
    expected.sort();
    QCOMPARE(recorded, expected);
    QCOMPARE(environment->scalar(QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
}

void TestFaults::killedMidWrite()
{
    QStringList printed;
    for (int round = 0; round < 20; ++round) {
        std::unique_ptr<QProcess> driver(startDriver(*environment, QStringLiteral("a"), 0));
        QVERIFY(driver->waitForStarted());
        // Let it record for a while: some rounds before the first word,
        // most in the middle of one.
        QTest::qWait(QRandomGenerator::global()->bounded(100, 700));
        ::kill(pid_t(driver->processId()), SIGKILL);
        QVERIFY(driver->waitForFinished());
        printed += QString::fromUtf8(driver->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);

        QCOMPARE(environment->scalar(QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
        const QStringList recorded = environment->history();
        // Everything it said it recorded is there, in that order; at most
        // the one word it was writing when killed comes on top.
        QVERIFY2(recorded.size() >= printed.size() && recorded.size() <= printed.size() + round + 1,
                 qPrintable(QStringLiteral("%1 recorded, %2 printed").arg(recorded.size()).arg(printed.size())));
        int next = 0;
        for (const QString &word : std::as_const(recorded)) {
            if (next < printed.size() && word == printed.at(next))
                ++next;
        }
        QCOMPARE(next, int(printed.size()));
    }
    QVERIFY(!printed.isEmpty());
}

void TestFaults::lockedDatabase()
{
    WindowDriver driver;
    WriteLock lock(environment->databasePath());
    QVERIFY(lock.held);
    expectedBoxes = 1;
    QElapsedTimer timer;
    timer.start();
    driver.searchBox->setText(QStringLiteral("a7"));
    driver.searchButton->click();
    // Waits out the busy timeout, not for good.
    QVERIFY(timer.elapsed() < 60000);
    QCOMPARE(boxes->count(), 1);
    QVERIFY2(boxes->texts().at(0).contains(QLatin1String("locked")), qPrintable(boxes->texts().at(0)));
    QCOMPARE(driver.resultView->toPlainText(), QString::fromUtf8("සිංහල 7\n"));
}

void TestFaults::diskFull()
{
    WindowDriver driver;
    // The file may not grow by a single page: a full disk, as SQLite sees it.
    QSqlQuery pages(QSqlDatabase::database());
    QVERIFY(pages.exec(QStringLiteral("pragma page_count")) && pages.next());
    const int full = pages.value(0).toInt();
    QVERIFY(pages.exec(QStringLiteral("pragma max_page_count = %1").arg(full)));
    pages.finish();

    // Record until the history needs a page it cannot have.
    expectedBoxes = 1;
    int recorded = 0;
    for (int i = 0; i < 1000 && boxes->count() == 0; ++i) {
        driver.searchBox->setText(QStringLiteral("a%1").arg(i));
        driver.searchButton->click();
        QCOMPARE(driver.resultView->toPlainText(), QStringLiteral("සිංහල %1\n").arg(i));
        recorded = boxes->count() == 0 ? i + 1 : i;
    }
    QCOMPARE(boxes->count(), 1);
    QVERIFY2(boxes->texts().at(0).contains(QLatin1String("full")), qPrintable(boxes->texts().at(0)));
    QCOMPARE(environment->history().size(), recorded);
    QCOMPARE(environment->scalar(QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
}

// Writes fail at the operating system, as on a disk that has run out.
void TestFaults::fileSizeLimit()
{
    WindowDriver driver;
    driver.searchBox->setText(QStringLiteral("a1"));
    driver.searchButton->click();
    QCOMPARE(environment->history(), QStringList{"a1"});

    expectedBoxes = 1;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit tiny = previous;
    tiny.rlim_cur = 512;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    driver.searchBox->setText(QStringLiteral("a2"));
    driver.searchButton->click();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &previous), 0);
    std::signal(SIGXFSZ, SIG_DFL);

    QCOMPARE(boxes->count(), 1);
    QCOMPARE(driver.resultView->toPlainText(), QString::fromUtf8("සිංහල 2\n"));
    QCOMPARE(environment->scalar(QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(environment->history(), QStringList{"a1"});
    // And once there is room again, recording works again.
    driver.searchBox->setText(QStringLiteral("a3"));
    driver.searchButton->click();
    QCOMPARE(environment->history(), (QStringList{"a1", "a3"}));
}

void TestFaults::readOnlyDirectory()
{
    // The file stays writable; its directory, where the journal goes, does not.
    QVERIFY(QFile::setPermissions(environment->databasePath(), QFile::permissions(environment->databasePath())
                                                                   | QFileDevice::WriteOther
                                                                   | QFileDevice::WriteGroup));
    WithoutRoot unprivileged(environment->path(), false);
    if (!unprivileged.ok())
        QSKIP("cannot give up root's right to write into read-only directories here");
    {
        WindowDriver driver;
        expectedBoxes = 1;
        driver.searchBox->setText(QStringLiteral("b5"));
        driver.searchButton->click();
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(driver.resultView->toPlainText(), QString::fromUtf8("සිංහල 5\n"));
    }
    QVERIFY(environment->history().isEmpty());
    QCOMPARE(environment->scalar(QStringLiteral("pragma integrity_check")).toString(), QStringLiteral("ok"));
}

void TestFaults::unwritableSettings()
{
    // A directory where the settings file should be: nothing can be saved.
    const QString file = environment->settingsFile();
    QVERIFY(QFile::remove(file));
    QVERIFY(QDir().mkpath(file));
    WindowDriver driver;
    QVERIFY(driver.activate());
    QVERIFY(driver.window->close());
    QVERIFY(!driver.window->isVisible());
    QVERIFY(QFileInfo(file).isDir());
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
