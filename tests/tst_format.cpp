// SPDX-License-Identifier: MIT
// The lines of links the importer writes into a value, as the importer, the
// copy update and the window read them back.
#include "format/resultformat.h"

#include <QTest>

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    void linesAreReadAsWritten_data();
    void linesAreReadAsWritten();
};

void TestFormat::linesAreReadAsWritten_data()
{
    QTest::addColumn<QString>("sense");
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("formLine");
    QTest::addColumn<bool>("phraseLine");
    QTest::addColumn<bool>("linkLine");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("form") << formLinkLine({"go"}, {"go"}, {"past tense"}) << "<a href='go'>go</a> (past tense)" << true
                          << false << true << QStringList{"go"};
    QTest::newRow("form of two bases, one linked")
        << formLinkLine({"a&b", "c"}, {"c"}, {"plural", "form"}) << "a&amp;b <a href='c'>c</a> (plural, form)" << true
        << false << true << QStringList{"c"};
    QTest::newRow("form with a quote") << formLinkLine({"don't"}, {"don't"}, {"short form"})
                                       << "<a href='don%27t'>don't</a> (short form)" << true << false << true
                                       << QStringList{"don't"};
    QTest::newRow("phrases") << phraseLine({"account for", "take <into> account"})
                             << "<a href='account%20for'>account for</a>, <a "
                                "href='take%20%3Cinto%3E%20account'>take &lt;into&gt; account</a>"
                             << false << true << true << QStringList{"account for", "take <into> account"};
    QTest::newRow("phrase in Sinhala") << phraseLine({"පොත් සාප්පුව"})
                                       << "<a href='%E0%B6%B4%E0%B7%9C%E0%B6%AD%E0%B7%8A%20%E0%B7%83%E0%B7%8F%E0%B6%B4%"
                                          "E0%B7%8A%E0%B6%B4%E0%B7%94%E0%B7%80'>පොත් සාප්පුව</a>"
                                       << false << true << true << QStringList{"පොත් සාප්පුව"};
    QTest::newRow("plain sense") << "ගිණුම"
                                 << "ගිණුම" << false << false << false << QStringList{};
    QTest::newRow("sense with markup") << "<b>bold</b> (mark)"
                                       << "<b>bold</b> (mark)" << false << false << false << QStringList{};
    QTest::newRow("sense ending with a link") << "see <a href='x'>x</a>"
                                              << "see <a href='x'>x</a>" << false << false << true << QStringList{"x"};
}

void TestFormat::linesAreReadAsWritten()
{
    QFETCH(QString, sense);
    QFETCH(QString, html);
    QFETCH(bool, formLine);
    QFETCH(bool, phraseLine);
    QFETCH(bool, linkLine);
    QFETCH(QStringList, words);

    QCOMPARE(sense, html);
    QCOMPARE(isFormLinkLine(sense), formLine);
    QCOMPARE(isPhraseLine(sense), phraseLine);
    QCOMPARE(isLinkLine(sense), linkLine);
    QCOMPARE(linkedWords(sense), words);
    if (phraseLine)
        QCOMPARE(phrasesOfLine(sense), words);
    // One sense stays one line of the result, whatever it holds.
    QCOMPARE(senseListHtml(sense), html + QLatin1String("<br />"));
}

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
