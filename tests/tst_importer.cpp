// SPDX-License-Identifier: MIT
// The importer: reading both word-list forms, merging, and writing a
// dictionary file all or nothing.
#include "testsupport.h"
#include "tools/importer/importer.h"
#include "tools/importer/sourceparser.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString sharedList = QStringLiteral(SHARED_DATA_DIR "/sn2en-osdb.csv");

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run import(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(IMPORTER), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// One row of a record table: what the parser makes of the line, or why not.
void checkRecords(bool (*parse)(const QByteArray &, SourceRecord *, QString *))
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, english);
    QFETCH(QStringList, sinhala);
    QFETCH(QString, reason);
    SourceRecord record;
    QString why;
    QCOMPARE(parse(line, &record, &why), reason.isEmpty());
    QCOMPARE(why, reason);
    if (reason.isEmpty()) {
        QCOMPARE(record.english, english);
        QCOMPARE(record.sinhala, sinhala);
    }
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestImporter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void detectsTheFormat();
    void tsvRecords_data();
    void tsvRecords();
    void csvRecords_data();
    void csvRecords();
    void csvFieldRunsOverLines();
    void reverseEntries();

    void buildsANewDictionary();
    void mergesSourcesInOrder();
    void updateKeepsOtherEntriesAndHistory();
    void badLineWritesNothing_data();
    void badLineWritesNothing();
    void skipBadImportsTheRest();
    void commandLine();
    void progressOnATerminal();

    void sharedListImports();

private:
    QString path(const QString &name) const { return environment->path() + QLatin1Char('/') + name; }
    std::unique_ptr<TestEnvironment> environment;
};

void TestImporter::init()
{
    environment = std::make_unique<TestEnvironment>();
}

void TestImporter::cleanup()
{
    environment.reset();
}

void TestImporter::detectsTheFormat()
{
    QCOMPARE(detectFormat("word,definitions,"), SourceFormat::Sn2enCsv);
    QCOMPARE(detectFormat("\xEF\xBB\xBFword,definitions,\r"), SourceFormat::Sn2enCsv);
    QCOMPARE(detectFormat("apple\tඇපල්"), SourceFormat::Tsv);
    QCOMPARE(detectFormat(""), SourceFormat::Tsv);
}

void TestImporter::tsvRecords_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("english");
    QTest::addColumn<QStringList>("sinhala");
    QTest::addColumn<QString>("reason");
    QTest::newRow("one sense") << QByteArray("apple\tඇපල්") << QStringList{"apple"} << QStringList{"ඇපල්"} << "";
    QTest::newRow("trimmed") << QByteArray(" Water \t වතුර | ජලය ") << QStringList{"Water"} << QStringList{"වතුර", "ජලය"}
                             << "";
    // Composed to NFC: the two-part vowel sign ො from its parts.
    QTest::newRow("nfc") << QByteArray("go\t\xE0\xB6\xBA\xE0\xB7\x99\xE0\xB7\x8F") << QStringList{"go"}
                         << QStringList{QString::fromUtf8("\xE0\xB6\xBA\xE0\xB7\x9C")} << "";
    QTest::newRow("no tab") << QByteArray("apple ඇපල්") << QStringList() << QStringList()
                            << "expected 2 tab-separated columns, found 1";
    QTest::newRow("two tabs") << QByteArray("a\tb\tc") << QStringList() << QStringList()
                              << "expected 2 tab-separated columns, found 3";
    QTest::newRow("empty key") << QByteArray(" \tඇපල්") << QStringList() << QStringList() << "empty key";
    QTest::newRow("empty sense") << QByteArray("a\tx||y") << QStringList() << QStringList() << "empty sense";
    QTest::newRow("bar in key") << QByteArray("a|b\tx") << QStringList() << QStringList() << "key \"a|b\" holds \"|\"";
    QTest::newRow("not utf-8") << QByteArray("caf\xE9\tx") << QStringList() << QStringList() << "not valid UTF-8";
}

void TestImporter::tsvRecords()
{
    checkRecords(parseTsvRecord);
}

void TestImporter::csvRecords_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("english");
    QTest::addColumn<QStringList>("sinhala");
    QTest::addColumn<QString>("reason");
    QTest::newRow("bare word") << QByteArray("වංචිත,defrauded,") << QStringList{"defrauded"} << QStringList{"වංචිත"}
                               << "";
    QTest::newRow("quoted list") << QByteArray("අංකනය,\"brand, Markings,notation\",")
                                 << QStringList{"brand", "Markings", "notation"} << QStringList{"අංකනය"} << "";
    QTest::newRow("hyphen is a space") << QByteArray("අංක-ගණිතය,\"arithmetic\",") << QStringList{"arithmetic"}
                                       << QStringList{"අංක ගණිතය"} << "";
    QTest::newRow("zero-width space goes, joiner stays")
        << QByteArray("\xE2\x80\x8BNOT-ද්\xE2\x80\x8Dවාරය,NOT,") << QStringList{"NOT"}
        << QStringList{QString::fromUtf8("NOT ද්\u200Dවාරය")} << "";
    QTest::newRow("latin headword") << QByteArray("dict.cn,ensitip-group,") << QStringList{"ensitip-group"}
                                    << QStringList{"dict.cn"} << "";
    QTest::newRow("list lost its quotes")
        << QByteArray("අවාන,fan,blower") << QStringList{"fan", "blower"} << QStringList{"අවාන"} << "";
    QTest::newRow("newline inside quotes") << QByteArray("අංක-පෙත්ත,\"tally,teller\n\",")
                                           << QStringList{"tally", "teller"} << QStringList{"අංක පෙත්ත"} << "";
    QTest::newRow("no english") << QByteArray("වංචිත,,") << QStringList() << QStringList() << "empty key";
    QTest::newRow("one column") << QByteArray("වංචිත") << QStringList() << QStringList()
                                << "expected at least 2 comma-separated columns, found 1";
    QTest::newRow("empty headword") << QByteArray(",word,") << QStringList() << QStringList() << "empty sense";
    QTest::newRow("bar in word") << QByteArray("x,\"a|b\",") << QStringList() << QStringList()
                                 << "key \"a|b\" holds \"|\"";
    QTest::newRow("not utf-8") << QByteArray("\xFF\xFE,word,") << QStringList() << QStringList() << "not valid UTF-8";
}

void TestImporter::csvRecords()
{
    checkRecords(parseSn2enRecord);
}

void TestImporter::csvFieldRunsOverLines()
{
    writeFile(path("list.csv"), "word,definitions,\nඅ,\"one,\ntwo\n\",\nආ,three,\n");
    QFile file(path("list.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    RecordReader reader(&file, SourceFormat::Sn2enCsv);
    QByteArray record;
    QVERIFY(reader.next(&record));
    QVERIFY(reader.next(&record));
    QCOMPARE(record, QByteArray("අ,\"one,\ntwo\n\","));
    QCOMPARE(reader.lineNumber(), 2);
    QVERIFY(reader.next(&record));
    QCOMPARE(reader.lineNumber(), 5);
    QVERIFY(!reader.next(&record));
    QCOMPARE(reader.linesRead(), 5);
}

void TestImporter::reverseEntries()
{
    Importer both(ImportOptions{});
    both.addRecord({{"Water", "H2O"}, {"වතුර", "ජලය"}});
    both.addRecord({{"aqua"}, {"ජලය"}});
    const QList<QPair<QString, QStringList>> expected = {{"water", {"වතුර", "ජලය"}},
                                                         {"h2o", {"වතුර", "ජලය"}},
                                                         {"වතුර", {"Water", "H2O"}},
                                                         {"ජලය", {"Water", "H2O", "aqua"}},
                                                         {"aqua", {"ජලය"}}};
    QCOMPARE(both.entries().entries().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(both.entries().entries().at(i).key, expected.at(i).first);
        QCOMPARE(both.entries().entries().at(i).senses(), expected.at(i).second);
    }

    ImportOptions forwardOnly;
    forwardOnly.reverse = false;
    Importer one(forwardOnly);
    one.addRecord({{"water"}, {"වතුර"}});
    // A sense that is part of another is still a sense of its own.
    one.addRecord({{"water"}, {"වතු"}});
    one.addRecord({{"water"}, {"වතුර"}});
    QCOMPARE(one.entries().entries().size(), 1);
    QCOMPARE(one.entries().entries().at(0).value, QString::fromUtf8("වතුර|වතු"));
}

void TestImporter::buildsANewDictionary()
{
    writeFile(path("list.tsv"), "apple\tඇපල්\nwater\tවතුර|ජලය\n");
    const Run run = import({"--no-reverse", "--no-forms", path("list.tsv"), path("new.db")});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QStringLiteral("keys: 2, senses: 3, lines read: 2, lines skipped: 0\n"));
    QVERIFY(QFile::rename(path("new.db"), environment->databasePath()));
    QCOMPARE(environment->scalar("select value from dict where key = 'water'").toString(), QStringLiteral("වතුර|ජලය"));
    QCOMPARE(environment->scalar("select count(*) from history").toInt(), 0);
    // The key is the primary key: lookups search its index.
    const QString plan = environment->scalar("explain query plan select value from dict where key = 'x'", 3).toString();
    QVERIFY2(plan.contains("USING INDEX"), qPrintable(plan));
    QCOMPARE(QDir(environment->path()).entryList({"*.part*"}), QStringList());
}

void TestImporter::mergesSourcesInOrder()
{
    writeFile(path("a.tsv"), "water\tවතුර|ජලය\n");
    writeFile(path("b.csv"), "word,definitions,\nදිය,\"Water,aqua\",\nවතුර,water,\n");
    QCOMPARE(import({"--no-reverse", path("a.tsv"), path("b.csv"), environment->databasePath()}).status, 0);
    QCOMPARE(environment->scalar("select value from dict where key = 'water'").toString(),
             QStringLiteral("වතුර|ජලය|දිය"));
    QCOMPARE(environment->scalar("select value from dict where key = 'aqua'").toString(), QStringLiteral("දිය"));
}

void TestImporter::updateKeepsOtherEntriesAndHistory()
{
    environment->createDictionary({{"apple", "old"}, {"water", "old"}});
    environment->exec("insert into history(word) values('apple')");
    writeFile(path("list.tsv"), "water\tවතුර\n");
    QCOMPARE(import({"--no-reverse", path("list.tsv"), environment->databasePath()}).status, 0);
    QCOMPARE(environment->scalar("select value from dict where key = 'water'").toString(), QStringLiteral("වතුර"));
    QCOMPARE(environment->scalar("select value from dict where key = 'apple'").toString(), QStringLiteral("old"));
    QCOMPARE(environment->history(), QStringList{"apple"});

    QCOMPARE(import({"--replace", "--no-reverse", "--no-forms", path("list.tsv"), environment->databasePath()}).status,
             0);
    QCOMPARE(environment->scalar("select count(*) from dict").toInt(), 1);
    QCOMPARE(environment->history(), QStringList{"apple"});
}

void TestImporter::badLineWritesNothing_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("message");
    QTest::newRow("not utf-8") << QByteArray("apple\tx\ncaf\xE9\ty\n") << "list.tsv:2: not valid UTF-8";
    QTest::newRow("columns") << QByteArray("apple\tx\n\nbad line\n")
                             << "list.tsv:3: expected 2 tab-separated columns, found 1";
    QTest::newRow("empty key") << QByteArray("\tx\n") << "list.tsv:1: empty key";
    QTest::newRow("bar") << QByteArray("a|b\tx\n") << "list.tsv:1: key \"a|b\" holds \"|\"";
}

void TestImporter::badLineWritesNothing()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, message);
    writeFile(path("list.tsv"), source);

    // An existing file stays byte for byte as it was.
    environment->createDictionary({{"apple", "old"}});
    environment->exec("insert into history(word) values('apple')");
    const QByteArray before = fileHash(environment->databasePath());
    Run run = import({path("list.tsv"), environment->databasePath()});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(run.err.contains("nothing written"), qPrintable(run.err));
    QCOMPARE(fileHash(environment->databasePath()), before);

    // A new file is not made at all, not even in part.
    run = import({path("list.tsv"), path("new.db")});
    QCOMPARE(run.status, 1);
    QVERIFY(!QFile::exists(path("new.db")));
    QCOMPARE(QDir(environment->path()).entryList({"new.db*"}), QStringList());
}

void TestImporter::skipBadImportsTheRest()
{
    writeFile(path("list.tsv"), "apple\tඇපල්\nbroken\n\tx\nwater\tවතුර\n");
    const Run run = import({"--skip-bad", "--no-reverse", "--no-forms", path("list.tsv"), path("new.db")});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains("list.tsv:2: expected 2 tab-separated columns, found 1 (skipped)"), qPrintable(run.err));
    QVERIFY2(run.err.contains("list.tsv:3: empty key (skipped)"), qPrintable(run.err));
    QCOMPARE(run.out, QStringLiteral("keys: 2, senses: 2, lines read: 4, lines skipped: 2\n"));
}

void TestImporter::commandLine()
{
    Run run = import({"--help"});
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.contains("SOURCE"));
    QVERIFY(run.out.contains("--skip-bad"));
    QCOMPARE(import({path("only-one-argument")}).status, 2);
    QCOMPARE(import({"--format", "xml", path("a"), path("b")}).status, 2);
    run = import({path("missing.tsv"), path("new.db")});
    QCOMPARE(run.status, 1);
    QVERIFY(run.err.contains("missing.tsv: cannot open"));
    // A forced format reads a file whatever its first line says.
    writeFile(path("list.txt"), "අ,apple,\n");
    QCOMPARE(import({"--format", "sn2en-csv", "--no-reverse", path("list.txt"), environment->databasePath()}).status,
             0);
    QCOMPARE(environment->scalar("select value from dict where key = 'apple'").toString(), QStringLiteral("අ"));
}

// On a terminal (here one that `script` provides) the importer counts the
// lines it has read; into a pipe or file it says nothing of the kind.
void TestImporter::progressOnATerminal()
{
    if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
        QSKIP("util-linux's script is not installed; no terminal to run the importer on");
    QByteArray lines;
    for (int i = 0; i < 70000; ++i)
        lines += "w" + QByteArray::number(i) + "\tසිංහල\n";
    writeFile(path("list.tsv"), lines);
    const QString command =
        QStringLiteral("'%1' --no-reverse '%2' '%3'").arg(IMPORTER, path("list.tsv"), path("new.db"));
    QProcess process;
    process.start(QStringLiteral("script"), {"-qefc", command, "/dev/null"});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    const QString shown = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(shown.contains(QStringLiteral("list.tsv: 65536 lines")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("list.tsv: 70000 lines")), qPrintable(shown));

    QFile::remove(path("new.db"));
    const Run piped = import({"--no-reverse", path("list.tsv"), path("new.db")});
    QCOMPARE(piped.status, 0);
    QVERIFY2(!piped.err.contains(QLatin1String(" lines")), qPrintable(piped.err));
}

// The open Sinhala-to-English list, read in reverse; checked against a
// plain reading of the same file.
void TestImporter::sharedListImports()
{
    if (!QFile::exists(sharedList))
        QSKIP("../shared/data/sn2en-osdb.csv is not here; the real word list is not imported");
    environment->createDictionary({});
    environment->exec("insert into history(word) values('kept')");
    const Run run = import({"--no-reverse", "--no-forms", sharedList, environment->databasePath()});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const int keys = environment->scalar("select count(*) from dict").toInt();
    QVERIFY2(keys > 44000 && keys < 46000, qPrintable(QString::number(keys)));

    const QStringList chosen = {"water", "book", "house", "beautiful", "arithmetic", "tuesday"};
    QHash<QString, QStringList> expected;
    QFile file(sharedList);
    QVERIFY(file.open(QIODevice::ReadOnly));
    file.readLine();
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        QString headword = line.left(comma);
        headword.remove(QChar(0x200B)).replace(QLatin1Char('-'), QLatin1Char(' '));
        QString words = line.mid(comma + 1);
        words.remove(QLatin1Char('"'));
        for (const QString &word : words.split(QLatin1Char(','))) {
            const QString key = word.trimmed().toLower();
            if (chosen.contains(key) && !expected[key].contains(headword))
                expected[key].append(headword);
        }
    }
    for (const QString &word : chosen) {
        QVERIFY2(!expected.value(word).isEmpty(), qPrintable(word));
        const QString value =
            environment->scalar(QStringLiteral("select value from dict where key = '%1'").arg(word)).toString();
        QCOMPARE(value, expected.value(word).join(QLatin1Char('|')));
    }
    QCOMPARE(environment->history(), QStringList{"kept"});

    // Both directions: a Sinhala word gives its English words as written.
    QCOMPARE(import({sharedList, environment->databasePath()}).status, 0);
    const QString water = environment->scalar(QString::fromUtf8("select value from dict where key = 'ජලය'")).toString();
    QVERIFY2(water.split(QLatin1Char('|')).contains("water"), qPrintable(water));
    QVERIFY(environment->scalar("select count(*) from dict").toInt() > 2 * keys);
    QCOMPARE(environment->history(), QStringList{"kept"});
}

QTEST_GUILESS_MAIN(TestImporter)
#include "tst_importer.moc"
