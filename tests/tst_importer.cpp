// SPDX-License-Identifier: MIT
// The importer: reading both word-list forms, merging, and writing a
// dictionary file all or nothing.
#include "format/resultformat.h"
#include "tests/testsupport.h"
#include "tools/importer/importer.h"
#include "tools/importer/partialfile.h"
#include "tools/importer/sensemerge.h"
#include "tools/importer/sourceparser.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>
#include <QTextStream>

namespace {

const QString sharedList = QStringLiteral(SHARED_DATA_DIR "/sn2en-osdb.csv");

ProgramRun import(const QStringList &arguments)
{
    return runProgram(QStringLiteral(IMPORTER), arguments);
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

// What the reader makes of a CSV source: each record's first line, and the
// records that opened a quote they never closed.
void readCsv(const QString &path, QList<qint64> *lines, QList<qint64> *unclosed)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    RecordReader reader(&file, SourceFormat::Sn2enCsv);
    QByteArray record;
    while (reader.next(&record)) {
        lines->append(reader.lineNumber());
        if (reader.unclosedQuote())
            unclosed->append(reader.lineNumber());
    }
}

QHash<QString, QString> dictionaryOf(const QString &path)
{
    QHash<QString, QString> entries;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("read"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(QStringLiteral("select key, value from dict"), db);
        while (query.next())
            entries.insert(query.value(0).toString(), query.value(1).toString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("read"));
    return entries;
}

QString link(const QString &word, const QString &label)
{
    return QStringLiteral("<a href='%1'>%2</a> (%3)").arg(linkTargetForWord(word), word, label);
}

// The words that links in the dictionary point to but that are no key of it.
QStringList danglingLinks(const QHash<QString, QString> &entries)
{
    static const QRegularExpression anchor(QStringLiteral("<a href='[^']*'>([^<]*)</a>"));
    QStringList missing;
    for (const QString &value : entries) {
        for (auto match = anchor.globalMatch(value); match.hasNext();) {
            const QString word = match.next().captured(1);
            if (!entries.contains(word))
                missing.append(word);
        }
    }
    return missing;
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
    void tsvHeader();
    void encodingProblems_data();
    void encodingProblems();
    void tsvRecords_data();
    void tsvRecords();
    void csvRecords_data();
    void csvRecords();
    void csvFieldRunsOverLines();
    void unclosedQuote_data();
    void unclosedQuote();
    void reverseEntries();
    void sensesAreStoredAsText_data();
    void sensesAreStoredAsText();
    void entryOverTheLimit();
    void mergedSenses_data();
    void mergedSenses();
    void updatedSenses_data();
    void updatedSenses();

    void buildsANewDictionary();
    void mergesSourcesInOrder();
    void importMergesOursFirst();
    void updateFromThePreviousList();
    void updateKeepsTheUsers_data();
    void updateKeepsTheUsers();
    void ranksOfKeys();
    void badLineWritesNothing_data();
    void badLineWritesNothing();
    void skipBadImportsTheRest();
    void unclosedQuoteCostsOneRecord();
    void noEntriesIsAnError_data();
    void noEntriesIsAnError();
    void foreignDatabaseIsRefused();
    void staleParts();
    void commandLine();
    void progressOnATerminal();

    void sharedListImports();
    void sharedListKeepsOursFirst();

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

void TestImporter::tsvHeader()
{
    QVERIFY(isTsvHeader("english\tsinhala"));
    QVERIFY(isTsvHeader("\xEF\xBB\xBF"
                        "English\tSinhala "));
    QVERIFY(!isTsvHeader("english\tඉංග්‍රීසි"));

    // Read as a header, not as the word "english".
    writeFile(path("list.tsv"), "english\tsinhala\nwater\tවතුර\n");
    Importer importer(ImportOptions{});
    QString messages;
    QTextStream stream(&messages);
    QVERIFY(importer.readSource(path("list.tsv"), stream));
    QVERIFY(importer.entries().find("water"));
    QVERIFY(!importer.entries().find("english"));
    QCOMPARE(messages, QString());
}

void TestImporter::encodingProblems_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QString>("problem");
    QTest::newRow("utf-8") << QByteArray("water\tවතුර\n") << "";
    QTest::newRow("utf-8 cut inside a character") << QByteArray("water\tවතු\xE0\xB6") << "";
    QTest::newRow("utf-16le, Notepad") << QByteArray("\xFF\xFEw\0a\0t\0\t\0\xC0\x0D", 12) << "UTF-16";
    QTest::newRow("utf-16be") << QByteArray("\xFE\xFF\0w\0a", 6) << "UTF-16";
    QTest::newRow("utf-16 without a mark") << QByteArray("w\0a\0t\0e\0r\0\t\0", 12) << "UTF-16";
    QTest::newRow("latin-1") << QByteArray("caf\xE9\tx\n") << "not UTF-8";
}

void TestImporter::encodingProblems()
{
    QFETCH(QByteArray, head);
    QFETCH(QString, problem);
    QCOMPARE(encodingProblem(head), problem);
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
    QTest::newRow("nfc headword") << QByteArray("Cafe\xCC\x81\tකෝපි") << QStringList{QString::fromUtf8("Café")}
                                  << QStringList{"කෝපි"} << "";
    QTest::newRow("no tab") << QByteArray("apple ඇපල්") << QStringList() << QStringList()
                            << "expected 2 tab-separated columns, found 1";
    QTest::newRow("two tabs") << QByteArray("a\tb\tc") << QStringList() << QStringList()
                              << "expected 2 tab-separated columns, found 3";
    QTest::newRow("empty key") << QByteArray(" \tඇපල්") << QStringList() << QStringList() << "empty key";
    QTest::newRow("empty sense") << QByteArray("a\tx||y") << QStringList() << QStringList() << "empty sense";
    QTest::newRow("bar in key") << QByteArray("a|b\tx") << QStringList() << QStringList() << "key \"a|b\" holds \"|\"";
    QTest::newRow("not utf-8") << QByteArray("caf\xE9\tx") << QStringList() << QStringList() << "not valid UTF-8";
    QTest::newRow("nul in key") << QByteArray("wa\0ter\tx", 9) << QStringList() << QStringList()
                                << "key holds the control character U+0000";
    QTest::newRow("line end inside a sense")
        << QByteArray("water\tවතු\rර") << QStringList() << QStringList() << "sense holds the control character U+000d";
    QTest::newRow("c1 control") << QByteArray("water\ta\xC2\x85x") << QStringList() << QStringList()
                                << "sense holds the control character U+0085";
    QTest::newRow("sense of 1000 characters")
        << "long\t" + QByteArray(1000, 'x') << QStringList{"long"} << QStringList{QString(1000, 'x')} << "";
    QTest::newRow("sense of 1001 characters")
        << "long\t" + QByteArray(1001, 'x') << QStringList() << QStringList() << "sense longer than 1000 characters";
    QTest::newRow("key of 1001 characters")
        << QByteArray(1001, 'x') + "\tx" << QStringList() << QStringList() << "key longer than 1000 characters";
    QTest::newRow("line over 64 KiB") << "many\t" + QByteArray("xxxxxxxxx|").repeated(6600) << QStringList()
                                      << QStringList() << "line longer than 64 KiB";
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
    QTest::newRow("control in word") << QByteArray("x,\"a\x01"
                                                   "b\",")
                                     << QStringList() << QStringList() << "key holds the control character U+0001";
    QTest::newRow("line end inside a word")
        << QByteArray("x,\"tal\nly\",") << QStringList() << QStringList() << "key holds the control character U+000a";
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

// A quote that never closes (at the end, past 1,000 lines or past 64 KiB)
// is reported at its own line, and the lines after it are records again.
void TestImporter::unclosedQuote_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QList<qint64>>("lines");
    QTest::addColumn<QList<qint64>>("unclosed");
    QTest::newRow("closed on the next line")
        << QByteArray("අ,\"one,\ntwo\",\nආ,three,\n") << QList<qint64>{1, 3} << QList<qint64>();
    QTest::newRow("open at the end") << QByteArray("අ,one,\nබබා,\"baby,\nආ,two,\nඇ,three,\n")
                                     << QList<qint64>{1, 2, 3, 4} << QList<qint64>{2};
    const QByteArray plain = QByteArray("ආ,two,\n").repeated(1000);
    QTest::newRow("closed after 1000 lines") << "බබා,\"baby,\n" + plain + "ඇ,three\",\n"
                                             << QList<qint64>{1} << QList<qint64>{1, 1002};
    const QByteArray wide = "ආ," + QByteArray(70000, 'x') + "\n";
    QTest::newRow("closed after 64 KiB") << "බබා,\"baby,\n" + wide + "ඇ,three\",\n"
                                         << QList<qint64>{1, 2, 3} << QList<qint64>{1, 3};
}

void TestImporter::unclosedQuote()
{
    QFETCH(QByteArray, source);
    QFETCH(QList<qint64>, lines);
    QFETCH(QList<qint64>, unclosed);
    writeFile(path("list.csv"), source);
    QList<qint64> read;
    QList<qint64> open;
    readCsv(path("list.csv"), &read, &open);
    if (lines.size() == 1) // the rest are one record each
        for (qint64 line = 2; line <= 1002; ++line)
            lines.append(line);
    QCOMPARE(read, lines);
    QCOMPARE(open, unclosed);
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

void TestImporter::sensesAreStoredAsText_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    // Values escaped, so the view shows them as written; keys as typed.
    QTest::newRow("comparison") << "less"
                                << "x &lt; y|&lt;b&gt;tag&lt;/b&gt;";
    QTest::newRow("reverse key of an escaped sense") << "x < y"
                                                     << "less";
    QTest::newRow("english word as a value") << "ඒටී"
                                             << "AT&amp;T";
    QTest::newRow("english key") << "at&t"
                                 << "ඒටී";
    QTest::newRow("an entity as written") << "amp"
                                          << "&amp;amp;";
}

void TestImporter::sensesAreStoredAsText()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    Importer importer(ImportOptions{});
    importer.addRecord({{"less"}, {"x < y", "<b>tag</b>"}});
    importer.addRecord({{"AT&T"}, {"ඒටී"}});
    importer.addRecord({{"amp"}, {"&amp;"}});
    const Entry *entry = importer.entries().find(key);
    QVERIFY(entry);
    QCOMPARE(entry->value, value);
}

// Lines that each add a sense to one key: the one that takes the entry past
// 64 KiB is a bad line.
void TestImporter::entryOverTheLimit()
{
    const QByteArray sense = QString(900, QChar(0x0DC0)).toUtf8(); // 2,700 bytes
    QByteArray source;
    for (int i = 0; i < 30; ++i)
        source += "big\t" + sense + QByteArray::number(i) + "\n";
    writeFile(path("list.tsv"), source);
    ImportOptions options;
    options.skipBad = true;
    Importer importer(options);
    QString messages;
    QTextStream stream(&messages);
    QVERIFY(importer.readSource(path("list.tsv"), stream));
    QVERIFY2(messages.contains(path("list.tsv") + ":25: makes an entry longer than 64 KiB (skipped)"),
             qPrintable(messages));
    QVERIFY(importer.entries().find("big")->value.toUtf8().size() <= maxEntryBytes);
    QCOMPARE(importer.linesSkipped(), 6);
}

void TestImporter::mergedSenses_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("imported");
    QTest::addColumn<QString>("merged");
    QTest::newRow("ours first, no repeats") << "වතුර|ජලය"
                                            << "අම්බු|ජලය|දිය"
                                            << "වතුර|ජලය|අම්බු|දිය";
    QTest::newRow("nothing new") << "a|b"
                                 << "b"
                                 << "a|b";
    QTest::newRow("an empty value") << ""
                                    << "a"
                                    << "a";
    // Stored before senses were escaped: the file's spelling stays, once.
    QTest::newRow("stored plain") << "x < y|a"
                                  << "x &lt; y|b"
                                  << "x < y|a|b";
    QTest::newRow("stored escaped") << "x &lt; y"
                                    << "x &lt; y"
                                    << "x &lt; y";
    // One phrase line, last, ranked again: give up is the more common.
    QTest::newRow("phrase lines") << "a|<a href='zz%20yy'>zz yy</a>"
                                  << "b|<a href='give%20up'>give up</a>|c (form)"
                                  << "a|b|c (form)|<a href='give%20up'>give up</a>, <a href='zz%20yy'>zz yy</a>";
}

void TestImporter::mergedSenses()
{
    QFETCH(QString, existing);
    QFETCH(QString, imported);
    QFETCH(QString, merged);
    QCOMPARE(SenseMerge::merged(existing, imported), merged);
}

// The user's copy, what our list said when last merged, what it says now.
void TestImporter::updatedSenses_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("updated");
    QTest::addColumn<QString>("own"); // what the user's imports gave
    QTest::newRow("a sense comes in, the user's stay") << "a|b|x"
                                                       << "a|b"
                                                       << "a|b|c"
                                                       << "a|b|c|x"
                                                       << "";
    QTest::newRow("a sense leaves") << "a|b|x"
                                    << "a|b"
                                    << "a"
                                    << "a|x"
                                    << "";
    QTest::newRow("our order") << "a|b|x"
                               << "a|b"
                               << "b|a"
                               << "b|a|x"
                               << "";
    QTest::newRow("the entry leaves, the user's senses stay") << "a|x"
                                                              << "a"
                                                              << ""
                                                              << "x"
                                                              << "";
    QTest::newRow("the entry leaves wholly") << "a"
                                             << "a"
                                             << ""
                                             << ""
                                             << "";
    QTest::newRow("a new entry") << ""
                                 << ""
                                 << "a|b"
                                 << "a|b"
                                 << "";
    QTest::newRow("a new entry the user had") << "x|a"
                                              << ""
                                              << "a|b"
                                              << "a|b|x"
                                              << "";
    // Our phrase line as it is now, with what the user's imports added, last.
    const auto line = [](const QStringList &phrases) {
        QStringList links;
        for (const QString &phrase : phrases)
            links.append(QStringLiteral("<a href='%1'>%2</a>").arg(QString(phrase).replace(' ', "%20"), phrase));
        return links.join(QLatin1String(", "));
    };
    QTest::newRow("the phrase line") << "a|" + line({"give up", "zz old", "zz mine"}) + "|x"
                                     << "a|" + line({"give up", "zz old"}) << "a|" + line({"give up", "zz new"})
                                     << "a|x|" + line({"give up", "zz new", "zz mine"}) << "";
    QTest::newRow("what the user lost stays lost") << "x"
                                                   << "a|b"
                                                   << "a|b|c"
                                                   << "c|x"
                                                   << "";
    QTest::newRow("a sense that left, the user's import gave it too") << "a|b|x"
                                                                      << "a|b"
                                                                      << "a"
                                                                      << "a|b|x"
                                                                      << "b|x";
}

void TestImporter::updatedSenses()
{
    QFETCH(QString, user);
    QFETCH(QString, previous);
    QFETCH(QString, current);
    QFETCH(QString, updated);
    QFETCH(QString, own);
    QCOMPARE(SenseMerge::updated(user, previous, current, own), updated);
}

void TestImporter::buildsANewDictionary()
{
    writeFile(path("list.tsv"), "apple\tඇපල්\nwater\tවතුර|ජලය\n");
    const ProgramRun run = import({"--no-reverse", "--no-forms", path("list.tsv"), path("new.db")});
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

void TestImporter::importMergesOursFirst()
{
    environment->createDictionary({{"apple", "ඇපල්"}, {"water", "වතුර|ජලය"}});
    environment->exec("insert into history(word) values('apple')");
    writeFile(path("list.tsv"), "water\tඅම්බු|ජලය\nzebra\tසීබ්‍රා\n");
    QCOMPARE(import({"--no-reverse", path("list.tsv"), environment->databasePath()}).status, 0);
    QCOMPARE(environment->scalar("select value from dict where key = 'water'").toString(),
             QStringLiteral("වතුර|ජලය|අම්බු"));
    QCOMPARE(environment->scalar("select value from dict where key = 'apple'").toString(), QStringLiteral("ඇපල්"));
    QCOMPARE(environment->scalar("select value from dict where key = 'zebra'").toString(),
             QStringLiteral("සීබ්‍රා"));
    QCOMPARE(environment->history(), QStringList{"apple"});

    QCOMPARE(import({"--replace", "--no-reverse", "--no-forms", path("list.tsv"), environment->databasePath()}).status,
             0);
    QCOMPARE(environment->scalar("select count(*) from dict").toInt(), 2);
    QCOMPARE(environment->scalar("select value from dict where key = 'water'").toString(), QStringLiteral("අම්බු|ජලය"));
    QCOMPARE(environment->history(), QStringList{"apple"});
}

// keyrank: a word's most common grade, forms after headwords, Sinhala keys
// as their most common English word; an import without ranks keeps them.
void TestImporter::ranksOfKeys()
{
    writeFile(path("list.tsv"), "water\tවතුර|ජලය\nwatchtower\tමුරකොටුව\naqua\tජලය\n");
    writeFile(path("ranks.tsv"), "Water\t35\nwater\t10\nwaters\t20\naqua\t60\n");
    const QString db = environment->databasePath();
    QCOMPARE(import({"--ranks", path("ranks.tsv"), path("list.tsv"), db}).status, 0);
    const QList<QPair<const char *, int>> expected = {{"water", 10},        {"watchtower", 99}, {"waters", 120},
                                                      {"watchtowers", 199}, {"ජලය", 10},        {"මුරකොටුව", 99}};
    const auto rankOf = [&](const char *key) {
        return environment
            ->scalar(QStringLiteral("select rank from keyrank where key = '%1'").arg(QString::fromUtf8(key)))
            .toInt();
    };
    for (const auto &[key, rank] : expected)
        QCOMPARE(rankOf(key), rank);
    QCOMPARE(environment->scalar("select count(*) from dict").toInt(),
             environment->scalar("select count(*) from keyrank").toInt());

    writeFile(path("more.tsv"), "zebra\tසීබ්‍රා\n");
    QCOMPARE(import({"--no-forms", path("more.tsv"), db}).status, 0);
    QCOMPARE(rankOf("water"), 10);
    QCOMPARE(rankOf("zebra"), 99);
    QCOMPARE(import({"--replace", "--no-forms", path("more.tsv"), db}).status, 0);
    QCOMPARE(environment->scalar("select count(*) from keyrank").toInt(), 2);

    writeFile(path("bad.tsv"), "water 10\n");
    const ProgramRun bad = import({"--ranks", path("bad.tsv"), path("list.tsv"), db});
    QCOMPARE(bad.status, 1);
    QVERIFY2(bad.err.contains("bad.tsv:1:"), qPrintable(bad.err));
}

// The copy was made from old.tsv, then the user imported words of their own;
// the update to new.tsv brings our changes and keeps theirs.
void TestImporter::updateFromThePreviousList()
{
    writeFile(path("old.tsv"), "water\tවතුර|ජලය\nmelon\tකොමඩු\napple\tඇපල්\n");
    writeFile(path("new.tsv"), "water\tවතුර|දිය\napple\tඇපල්\nzebra\tසීබ්‍රා\n");
    writeFile(path("own.tsv"), "water\tඅම්බු\nmelon\tපැණි කොමඩු\nown\tමගේ\n");
    const QString db = environment->databasePath();
    QCOMPARE(import({path("old.tsv"), db}).status, 0);
    QCOMPARE(import({path("own.tsv"), db}).status, 0);
    environment->exec("insert into history(word) values('water')");
    environment->exec("update dict set value = 'ඇපල් ගෙඩිය' where key = 'apple'");

    const ProgramRun run = import({"--update-from", path("old.tsv"), path("new.tsv"), db});
    QCOMPARE(run.status, 0);
    const auto value = [this](const char *key) {
        return environment->scalar(QStringLiteral("select value from dict where key = '%1'").arg(key)).toString();
    };
    QCOMPARE(value("water"), QStringLiteral("වතුර|දිය|අම්බු")); // in, out, the user's
    QCOMPARE(value("melon"), QStringLiteral("පැණි කොමඩු"));   // our entry left, the user's sense stays
    QCOMPARE(value("zebra"), QStringLiteral("සීබ්‍රා"));
    QCOMPARE(value("own"), QStringLiteral("මගේ"));
    QCOMPARE(value("apple"), QStringLiteral("ඇපල් ගෙඩිය")); // unchanged by us: left as the user has it
    // The reverse entries follow: ජලය and කොමඩු came only from our list.
    QCOMPARE(value("ජලය"), QString());
    QCOMPARE(value("කොමඩු"), QString());
    QCOMPARE(value("දිය"), QStringLiteral("water"));
    QCOMPARE(value("අම්බු"), QStringLiteral("water"));
    QCOMPARE(environment->history(), QStringList{"water"});

    QCOMPARE(import({"--replace", "--update-from", path("old.tsv"), path("new.tsv"), db}).status, 2);
}

// Our installed dictionary goes from old to new (both made by the importer)
// while the user's copy holds an import of their own: what the import gave
// stays, whatever left our list, and the whole new dictionary arrives. A
// copy from before imports were recorded has our old list as the previous.
void TestImporter::updateKeepsTheUsers_data()
{
    QTest::addColumn<QByteArray>("oldList");
    QTest::addColumn<QStringList>("oldOptions");
    QTest::addColumn<QByteArray>("newList");
    QTest::addColumn<QByteArray>("newerList"); // a further release, if any
    QTest::addColumn<QByteArray>("own");
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<QList<Row>>("expected");
    QTest::newRow("our list drops a sense the user imported")
        << QByteArray("body\tශරීරය|දේහය\n") << QStringList() << QByteArray("body\tදේහය\n") << QByteArray()
        << QByteArray("body\tශරීරය\n") << true
        << QList<Row>{
               {"body", "දේහය|ශරීරය"}, {"ශරීරය", "body"}, {"bodies", link("body", "plural, 3rd person") + "|දේහය|ශරීරය"}};
    QTest::newRow("our list drops the user's word")
        << QByteArray("book\tපොත\nwater\tවතුර\n") << QStringList() << QByteArray("water\tවතුර\n") << QByteArray()
        << QByteArray("book\tපොත\n") << true
        << QList<Row>{{"book", "පොත"}, {"books", link("book", "plural, 3rd person") + "|පොත"}, {"පොත", "book"}};
    QTest::newRow("the importer changed, the list did not")
        << QByteArray("book\tපොත\n") << QStringList{"--no-forms"} << QByteArray("book\tපොත\n") << QByteArray()
        << QByteArray("water\tවතුර\n") << true
        << QList<Row>{{"books", link("book", "plural, 3rd person") + "|පොත"},
                      {"waters", link("water", "plural, 3rd person") + "|වතුර"}};
    QTest::newRow("a copy from before imports were recorded")
        << QByteArray("body\tශරීරය|දේහය\nmelon\tකොමඩු|පැණි කොමඩු\nbook\tපොත\n") << QStringList()
        << QByteArray("body\tදේහය\nmelon\tකොමඩු\n") << QByteArray() << QByteArray("body\tකය\nbooks\tපොත් ගොඩ\n") << false
        << QList<Row>{{"body", "දේහය|ශරීරය|කය"},
                      {"melon", "කොමඩු"},
                      {"books", link("book", "plural, 3rd person") + "|පොත|පොත් ගොඩ"},
                      {"book", "පොත"}};
    QTest::newRow("our list brings a sense the user had, then drops it")
        << QByteArray("water\tවතුර\n") << QStringList() << QByteArray("water\tවතුර|දිය\n") << QByteArray("water\tවතුර\n")
        << QByteArray("water\tදිය\n") << true << QList<Row>{{"water", "වතුර|දිය"}, {"දිය", "water"}};
}

void TestImporter::updateKeepsTheUsers()
{
    QFETCH(QByteArray, oldList);
    QFETCH(QStringList, oldOptions);
    QFETCH(QByteArray, newList);
    QFETCH(QByteArray, newerList);
    QFETCH(QByteArray, own);
    QFETCH(bool, recorded);
    QFETCH(QList<Row>, expected);
    writeFile(path("old.tsv"), oldList);
    writeFile(path("new.tsv"), newList);
    writeFile(path("own.tsv"), own);
    QCOMPARE(import(oldOptions + QStringList{path("old.tsv"), path("old.db")}).status, 0);
    QCOMPARE(import({path("new.tsv"), path("new.db")}).status, 0);
    const QString copy = environment->databasePath();
    QVERIFY(QFile::copy(path("old.db"), copy));
    if (!recorded)
        environment->exec("drop table imported");
    QCOMPARE(import({path("own.tsv"), copy}).status, 0);

    QString previous = path(recorded ? "old.db" : "old.tsv");
    QString current = path("new.db");
    ProgramRun run = import({"--update-from", previous, current, copy});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    if (!newerList.isEmpty()) {
        writeFile(path("newer.tsv"), newerList);
        QCOMPARE(import({path("newer.tsv"), path("newer.db")}).status, 0);
        previous = std::exchange(current, path("newer.db"));
        run = import({"--update-from", previous, current, copy});
        QVERIFY2(run.status == 0, qPrintable(run.err));
    }
    const QHash<QString, QString> entries = dictionaryOf(copy);
    for (const auto &[key, value] : expected)
        QCOMPARE(entries.value(key), value.toString());
    QCOMPARE(danglingLinks(entries), QStringList());
    // A second run changes nothing: a launcher that could not note the
    // update done runs it again.
    const QByteArray once = fileHash(copy);
    QCOMPARE(import({"--update-from", previous, current, copy}).status, 0);
    QCOMPARE(fileHash(copy), once);
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
    ProgramRun run = import({path("list.tsv"), environment->databasePath()});
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
    const ProgramRun run = import({"--skip-bad", "--no-reverse", "--no-forms", path("list.tsv"), path("new.db")});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains("list.tsv:2: expected 2 tab-separated columns, found 1 (skipped)"), qPrintable(run.err));
    QVERIFY2(run.err.contains("list.tsv:3: empty key (skipped)"), qPrintable(run.err));
    QCOMPARE(run.out, QStringLiteral("keys: 2, senses: 2, lines read: 4, lines skipped: 2\n"));
}

void TestImporter::unclosedQuoteCostsOneRecord()
{
    writeFile(path("list.csv"), "word,definitions,\nඅ,one,\nබබා,\"baby,\nආ,two,\nඇ,three,\n");
    ProgramRun run = import({"--skip-bad", "--no-reverse", "--no-forms", path("list.csv"), path("new.db")});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains("list.csv:3: unclosed quote (skipped)"), qPrintable(run.err));
    QCOMPARE(run.out, QStringLiteral("keys: 3, senses: 3, lines read: 5, lines skipped: 1\n"));

    run = import({path("list.csv"), path("other.db")});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("list.csv:3: unclosed quote\n"), qPrintable(run.err));
}

// Sources that give no entry never empty a word list nor make an empty one.
void TestImporter::noEntriesIsAnError_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty file") << "empty.tsv" << QByteArray() << "no entries were read from";
#ifndef Q_OS_WIN
    QTest::newRow("/dev/null") << "/dev/null" << QByteArray() << "no entries were read from /dev/null";
#endif
    QTest::newRow("csv header only") << "list.csv" << QByteArray("word,definitions,\n") << "no entries were read";
    QTest::newRow("tsv header only") << "list.tsv" << QByteArray("english\tsinhala\n") << "no entries were read";
    QTest::newRow("utf-16, as Notepad saves")
        << "notepad.tsv" << QByteArray("\xFF\xFEw\0a\0t\0e\0r\0\t\0\xC0\x0D\n\0", 16) << "looks like UTF-16";
    QTest::newRow("latin-1") << "latin.tsv" << QByteArray("caf\xE9\tx\n") << "looks to be in another encoding";
}

void TestImporter::noEntriesIsAnError()
{
    QFETCH(QString, source);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    if (!source.startsWith(QLatin1Char('/'))) {
        writeFile(path(source), bytes);
        source = path(source);
    }
    environment->createDictionary({{"water", "වතුර"}});
    environment->exec("insert into history(word) values('water')");
    const QByteArray before = fileHash(environment->databasePath());
    ProgramRun run = import({"--replace", "--skip-bad", source, environment->databasePath()});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(run.err.contains("nothing written"), qPrintable(run.err));
    QCOMPARE(fileHash(environment->databasePath()), before);

    run = import({"--skip-bad", source, path("new.db")});
    QCOMPARE(run.status, 1);
    QVERIFY(!QFile::exists(path("new.db")));
}

void TestImporter::foreignDatabaseIsRefused()
{
    environment->createDatabase({"create table notes(text)", "insert into notes values('mine')"});
    const QByteArray before = fileHash(environment->databasePath());
    writeFile(path("list.tsv"), "water\tවතුර\n");
    const ProgramRun run = import({path("list.tsv"), environment->databasePath()});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains("no word list"), qPrintable(run.err));
    QCOMPARE(fileHash(environment->databasePath()), before);

    QCOMPARE(import({"--force", path("list.tsv"), environment->databasePath()}).status, 0);
    QCOMPARE(environment->scalar("select value from dict where key = 'water'").toString(), QStringLiteral("වතුර"));
    QCOMPARE(environment->scalar("select text from notes").toString(), QStringLiteral("mine"));
}

// A partial file whose import no longer runs goes, with a word; one of a
// running import, and names of another kind, stay.
void TestImporter::staleParts()
{
#ifdef Q_OS_WIN
    QSKIP("needs a process that has ended, from sh");
#endif
    QProcess ended;
    ended.start(QStringLiteral("sh"), {"-c", "echo $$"});
    QVERIFY(ended.waitForFinished());
    const qint64 deadPid = ended.readAllStandardOutput().trimmed().toLongLong();
    QVERIFY(deadPid > 0);
    const QString dead = path(QStringLiteral("new.db.part-%1-0123456789abcdef").arg(deadPid));
    const QString live =
        path(QStringLiteral("new.db.part-%1-0123456789abcdef").arg(QCoreApplication::applicationPid()));
    const QString other = path("new.db.part-3f2504e04f8941d39a0c0305e82c3301");
    for (const QString &name : {dead, live, other})
        writeFile(name, "partial");
    writeFile(path("list.tsv"), "water\tවතුර\n");
    const ProgramRun run = import({path("list.tsv"), path("new.db")});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains("removed " + dead + ", left by an import that was stopped"), qPrintable(run.err));
    QVERIFY(!QFile::exists(dead));
    QVERIFY(QFile::exists(live));
    QVERIFY(QFile::exists(other));
    QVERIFY(QFile::exists(path("new.db")));
}

void TestImporter::commandLine()
{
    ProgramRun run = import({"--help"});
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
    const ProgramRun piped = import({"--no-reverse", path("list.tsv"), path("new.db")});
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
    const ProgramRun run = import({"--no-reverse", "--no-forms", sharedList, environment->databasePath()});
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

// The open list imported into a dictionary built from ours: every entry of
// ours keeps its senses first, water still starts with වතුර.
void TestImporter::sharedListKeepsOursFirst()
{
    if (!QFile::exists(sharedList))
        QSKIP("../shared/data/sn2en-osdb.csv is not here; the real word list is not merged");
    QCOMPARE(import({QStringLiteral(WORD_LIST), environment->databasePath()}).status, 0);
    const QHash<QString, QString> ours = dictionaryOf(environment->databasePath());
    QVERIFY(ours.value("water").startsWith(QString::fromUtf8("වතුර")));
    QCOMPARE(import({sharedList, environment->databasePath()}).status, 0);
    const QHash<QString, QString> merged = dictionaryOf(environment->databasePath());
    // A phrase line stays last, after the senses of both.
    const auto withoutLine = [](QStringList senses) {
        if (isPhraseLine(senses.constLast()))
            senses.removeLast();
        return senses;
    };
    for (auto entry = ours.cbegin(); entry != ours.cend(); ++entry) {
        const QStringList senses = merged.value(entry.key()).split(QLatin1Char('|'));
        const QStringList ourSenses = entry.value().split(QLatin1Char('|'));
        QVERIFY2(withoutLine(senses).mid(0, withoutLine(ourSenses).size()) == withoutLine(ourSenses),
                 qPrintable(entry.key() + ": " + senses.join(QLatin1Char('|'))));
        QVERIFY(!isPhraseLine(ourSenses.constLast()) || isPhraseLine(senses.constLast()));
        QCOMPARE(QSet<QString>(senses.cbegin(), senses.cend()).size(), senses.size());
    }
    const QString water = merged.value("water");
    QVERIFY2(water.size() > ours.value("water").size(), qPrintable(water));
}

QTEST_GUILESS_MAIN(TestImporter)
#include "tst_importer.moc"
