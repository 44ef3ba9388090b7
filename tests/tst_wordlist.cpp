// SPDX-License-Identifier: MIT
// The word list we ship: the rules its lines keep, and what the build makes
// of it.
#include "testsupport.h"

#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

const QChar zeroWidthJoiner(0x200D);
const QChar alLakuna(0x0DCA);

bool isSinhalaText(const QString &sense)
{
    for (const QChar c : sense) {
        const bool sinhala = c.unicode() >= 0x0D80 && c.unicode() <= 0x0DFF;
        const bool allowed = c == QLatin1Char(' ') || c == zeroWidthJoiner || QStringLiteral(".,()'-").contains(c);
        if (!sinhala && !allowed)
            return false;
    }
    return true;
}

struct Line
{
    int number;
    QString key;
    QStringList senses;
};

} // namespace

class TestWordList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void linesKeepTheRules();
    void keysAreSortedAndUnique();
    void builtDictionaryHasBothDirections();

private:
    QList<Line> lines;
};

void TestWordList::initTestCase()
{
    QFile file(QStringLiteral(WORD_LIST));
    QVERIFY(file.open(QIODevice::ReadOnly));
    int number = 0;
    while (!file.atEnd()) {
        const QByteArray bytes = file.readLine();
        ++number;
        QVERIFY2(bytes.endsWith('\n') && !bytes.endsWith("\r\n"), qPrintable(QString::number(number)));
        const QString text = QString::fromUtf8(bytes.chopped(1));
        QVERIFY2(text.toUtf8() == bytes.chopped(1), qPrintable(QStringLiteral("line %1 is not UTF-8").arg(number)));
        QVERIFY2(text.count(QLatin1Char('\t')) == 1, qPrintable(QStringLiteral("line %1: one tab").arg(number)));
        lines.append({number, text.section(QLatin1Char('\t'), 0, 0),
                      text.section(QLatin1Char('\t'), 1).split(QLatin1Char('|'))});
    }
    QVERIFY2(lines.size() >= 2500, qPrintable(QString::number(lines.size())));
}

void TestWordList::linesKeepTheRules()
{
    for (const Line &line : std::as_const(lines)) {
        const QByteArray where = QStringLiteral("line %1 (%2)").arg(line.number).arg(line.key).toUtf8();
        QVERIFY2(!line.key.isEmpty() && line.key == line.key.trimmed() && line.key == line.key.toLower(), where);
        QVERIFY2(!line.senses.isEmpty() && line.senses.size() <= 5, where);
        QVERIFY2(QSet<QString>(line.senses.begin(), line.senses.end()).size() == line.senses.size(), where);
        for (const QString &sense : line.senses) {
            QVERIFY2(!sense.isEmpty() && sense == sense.trimmed(), where);
            QVERIFY2(isSinhalaText(sense), where);
            QVERIFY2(sense == sense.normalized(QString::NormalizationForm_C), where);
            // A joiner only ever follows al-lakuna (yansaya, rakaransaya, repaya).
            for (qsizetype i = sense.indexOf(zeroWidthJoiner); i >= 0; i = sense.indexOf(zeroWidthJoiner, i + 1))
                QVERIFY2(i > 0 && sense.at(i - 1) == alLakuna && i + 1 < sense.size(), where);
            // A vowel sign never follows an independent vowel (අ + ා for ආ).
            for (qsizetype i = 1; i < sense.size(); ++i) {
                const bool vowel = sense.at(i - 1).unicode() >= 0x0D85 && sense.at(i - 1).unicode() <= 0x0D96;
                const bool sign = sense.at(i).unicode() >= 0x0DCA && sense.at(i).unicode() <= 0x0DDF;
                QVERIFY2(!(vowel && sign), where);
            }
        }
    }
}

void TestWordList::keysAreSortedAndUnique()
{
    for (int i = 1; i < lines.size(); ++i)
        QVERIFY2(lines.at(i - 1).key < lines.at(i).key, qPrintable(lines.at(i).key));
}

// Every English headword is looked up to its senses, and every sense back
// to the headwords that carry it.
void TestWordList::builtDictionaryHasBothDirections()
{
    QHash<QString, QString> dictionary;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("built"));
        db.setDatabaseName(QStringLiteral(BUILT_DICTIONARY));
        QVERIFY(db.open());
        QSqlQuery query(QStringLiteral("select key, value from dict"), db);
        while (query.next())
            dictionary.insert(query.value(0).toString(), query.value(1).toString());
        QSqlQuery history(QStringLiteral("select count(*) from history"), db);
        QVERIFY(history.next());
        QCOMPARE(history.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("built"));

    for (const Line &line : std::as_const(lines)) {
        // A headword that is a form of another (saw, better) gains the link
        // to it after its own senses.
        const QStringList value = dictionary.value(line.key).split(QLatin1Char('|'));
        QCOMPARE(value.mid(0, line.senses.size()), line.senses);
        for (const QString &rest : value.mid(line.senses.size()))
            QVERIFY2(rest.startsWith(QLatin1String("<a href='")), qPrintable(line.key));
        for (const QString &sense : line.senses) {
            QVERIFY2(dictionary.contains(sense), qPrintable(sense));
            QVERIFY2(dictionary.value(sense).split(QLatin1Char('|')).contains(line.key), qPrintable(sense));
        }
    }
}

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_wordlist.moc"
