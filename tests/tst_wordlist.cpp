// SPDX-License-Identifier: MIT
// The word list we ship: the rules its lines keep, and what the build makes
// of it.
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <algorithm>

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

// Spellings the style guide replaces; a sense must never hold them.
const char *const nonStandardSpellings[] = {"\u0DAD\u0DAD\u0DCA\u0DC0\u0DBA",                    // tatvaya for tattvaya
                                            "\u0DC3\u0DCA\u0DAD\u0DD6\u0DAD\u0DD2",              // stooti for stuti
                                            "\u0DAF\u0DD4\u0DB8\u0DCA\u200D\u0DBB\u0DD2\u0DBA"}; // joined dumriya

// The shares of frequent and of written English the list must answer: of
// scowl's commonest grades 97%, of its next 60%, of the 20,000 most frequent
// spoken forms 93%.
constexpr double frequent20000Floor = 0.93;
constexpr double scowl20Floor = 0.97;
constexpr double scowl35Floor = 0.60;

// Headwords that are an adjective and a noun alike, with both senses.
const QSet<QString> adjectiveAndNoun{
    QStringLiteral("alternative"), QStringLiteral("average"),     QStringLiteral("complex"),
    QStringLiteral("composite"),   QStringLiteral("cooperative"), QStringLiteral("derivative"),
    QStringLiteral("diagonal"),    QStringLiteral("epidemic"),    QStringLiteral("imitation"),
    QStringLiteral("interior"),    QStringLiteral("inverse"),     QStringLiteral("max"),
    QStringLiteral("maximum"),     QStringLiteral("minimum"),     QStringLiteral("parallel"),
    QStringLiteral("plural"),      QStringLiteral("polynomial"),  QStringLiteral("singular"),
    QStringLiteral("solid"),       QStringLiteral("standard"),    QStringLiteral("subconscious"),
    QStringLiteral("surplus"),     QStringLiteral("utmost"),      QStringLiteral("variable"),
};

// A dictionary key's value by key, read from a built dictionary file.
QHash<QString, QString> readDictionary(const QString &path)
{
    QHash<QString, QString> dictionary;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("built"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(QStringLiteral("select key, value from dict"), db);
            while (query.next())
                dictionary.insert(query.value(0).toString(), query.value(1).toString());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("built"));
    return dictionary;
}

struct Line
{
    int number;
    QString key;
    QStringList senses;
};

// Words left out on purpose, read from a checked-in file of
// "word<TAB>reason" lines; a reason outside `reasons` is an error.
QSet<QString> readLeftOut(const QString &path, const QSet<QString> &reasons, QString *error)
{
    QSet<QString> leftOut;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": cannot be read");
        return leftOut;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 2 || !reasons.contains(fields.at(1)))
            *error = line;
        leftOut.insert(fields.at(0));
    }
    return leftOut;
}

// The share of `words` the built dictionary answers, counting only those not
// left out; every left-out word must be one of `words` and unanswered.
struct Coverage
{
    qsizetype counted = 0;
    QStringList unanswered;
    QString fault;

    double share() const { return counted ? double(counted - unanswered.size()) / double(counted) : 0.0; }
};

Coverage measure(const QStringList &words, const QSet<QString> &leftOut, const QHash<QString, QString> &built)
{
    Coverage coverage;
    const QSet<QString> wordSet(words.begin(), words.end());
    for (const QString &word : leftOut) {
        if (!wordSet.contains(word))
            coverage.fault = word + QStringLiteral(": left out, but not among the words measured");
        else if (built.contains(word))
            coverage.fault = word + QStringLiteral(": left out, yet answered");
    }
    for (const QString &word : wordSet) {
        if (leftOut.contains(word))
            continue;
        ++coverage.counted;
        if (built.value(word).isEmpty())
            coverage.unanswered.append(word);
    }
    return coverage;
}

// The lower-case words of a scowl list, without those with an apostrophe;
// the lists are Latin-1 in older releases, UTF-8 in newer ones.
QStringList scowlWords(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        text = QString::fromLatin1(bytes);
    QStringList words;
    for (const QString &word : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (word == word.toLower() && !word.contains(QLatin1Char('\'')))
            words.append(word);
    }
    return words;
}

} // namespace

class TestWordList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void linesKeepTheRules();
    void keysAreSortedAndUnique();
    void examplesUseTheListedSenses();
    void functionWordsCarryTheirUses_data();
    void functionWordsCarryTheirUses();
    void builtDictionaryHasBothDirections();
    void answersTheFrequentWords();
    void answersWrittenEnglish();
    void answersTheFormsOfFrequentHeadwords();

private:
    QList<Line> lines;
    QHash<QString, QString> built;
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
    built = readDictionary(QStringLiteral(BUILT_DICTIONARY));
    QVERIFY(!built.isEmpty());
}

void TestWordList::linesKeepTheRules()
{
    for (const Line &line : std::as_const(lines)) {
        const QByteArray where = QStringLiteral("line %1 (%2)").arg(line.number).arg(line.key).toUtf8();
        QVERIFY2(!line.key.isEmpty() && line.key == line.key.trimmed() && line.key == line.key.toLower(), where);
        QVERIFY2(!line.senses.isEmpty() && line.senses.size() <= 5, where);
        const QSet<QString> senses(line.senses.begin(), line.senses.end());
        QVERIFY2(senses.size() == line.senses.size(), where);
        for (const QString &sense : line.senses) {
            QVERIFY2(!sense.isEmpty() && sense == sense.trimmed() && !sense.contains(QLatin1String("  ")), where);
            // Not a stem beside its own definite form (බිත්තර|බිත්තරය), unless
            // the stem is the adjective of the same headword.
            QVERIFY2(!senses.contains(sense + QChar(0x0DBA)) || adjectiveAndNoun.contains(line.key), where);
            for (const char *spelling : nonStandardSpellings)
                QVERIFY2(!sense.contains(QString::fromUtf8(spelling)), where);
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

// The example sentences kept beside the list name a sense the headword has,
// so a reviewer checks each use against what a reader sees.
void TestWordList::examplesUseTheListedSenses()
{
    QHash<QString, QStringList> senses;
    for (const Line &line : std::as_const(lines))
        senses.insert(line.key, line.senses);
    QFile examples(QStringLiteral(EXAMPLES));
    QVERIFY(examples.open(QIODevice::ReadOnly));
    while (!examples.atEnd()) {
        const QString line = QString::fromUtf8(examples.readLine()).chopped(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        QVERIFY2(fields.size() == 4 && senses.value(fields.at(0)).contains(fields.at(1)), qPrintable(line));
    }
}

// The grammatical uses of function words that readers meet and a first
// sense alone would miss.
void TestWordList::functionWordsCarryTheirUses_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("sense");
    QTest::newRow("that: I know that he is") << "that"
                                             << "බව";
    QTest::newRow("for: because") << "for"
                                  << "නිසා";
    QTest::newRow("but: nothing but") << "but"
                                      << "හැර";
    QTest::newRow("with: by means of") << "with"
                                       << "මඟින්";
    QTest::newRow("with: having") << "with"
                                  << "සහිත";
    QTest::newRow("down: along") << "down"
                                 << "දිගේ";
    QTest::newRow("if: whether") << "if"
                                 << "දැයි";
    QTest::newRow("will: the future") << "will"
                                      << "කරනු ඇත";
    QTest::newRow("so: likewise") << "so"
                                  << "එසේම";
    QTest::newRow("who: relative") << "who"
                                   << "කෙනා";
    QTest::newRow("where: relative") << "where"
                                     << "තැන";
    QTest::newRow("what: relative") << "what"
                                    << "දේ";
    QTest::newRow("to: infinitive") << "to"
                                    << "කිරීමට";
}

void TestWordList::functionWordsCarryTheirUses()
{
    QFETCH(QString, word);
    QFETCH(QString, sense);
    const auto line = std::find_if(lines.cbegin(), lines.cend(), [&](const Line &l) { return l.key == word; });
    QVERIFY(line != lines.cend());
    QVERIFY2(line->senses.contains(sense), qPrintable(line->senses.join(QLatin1Char('|'))));
}

// Every English headword is looked up to its senses (a headword that is
// also a form of another gains a link after them), and every sense back to
// the headwords that carry it.
void TestWordList::builtDictionaryHasBothDirections()
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("history"));
        db.setDatabaseName(QStringLiteral(BUILT_DICTIONARY));
        QVERIFY(db.open());
        QSqlQuery history(QStringLiteral("select count(*) from history"), db);
        QVERIFY(history.next());
        QCOMPARE(history.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("history"));
    for (const Line &line : std::as_const(lines)) {
        const QString value = built.value(line.key);
        QVERIFY2(value == line.senses.join(QLatin1Char('|'))
                     || value.startsWith(line.senses.join(QLatin1Char('|')) + QLatin1String("|<a ")),
                 qPrintable(line.key));
        for (const QString &sense : line.senses) {
            QVERIFY2(built.contains(sense), qPrintable(sense));
            QVERIFY2(built.value(sense).split(QLatin1Char('|')).contains(line.key), qPrintable(sense));
        }
    }
}

// Of the word forms people meet most, the share that gets an answer,
// counting only those a dictionary should hold: the ones we leave out are
// listed with a reason each. The 10,000 most frequent are nearly all
// answered; the 20,000 with at most 3,500 left out.
void TestWordList::answersTheFrequentWords()
{
    QFile frequencies(QStringLiteral(SHARED_DATA_DIR "/en-frequency-subtitles.txt"));
    if (!frequencies.open(QIODevice::ReadOnly))
        QSKIP(qPrintable(QStringLiteral("no frequency list at %1: coverage not measured").arg(frequencies.fileName())));
    QStringList frequent;
    while (frequent.size() < 20000 && !frequencies.atEnd())
        frequent.append(QString::fromUtf8(frequencies.readLine()).section(QLatin1Char(' '), 0, 0).toLower());

    QString error;
    const QSet<QString> leftOut =
        readLeftOut(QStringLiteral(EXCLUSIONS),
                    {QStringLiteral("name"), QStringLiteral("place"), QStringLiteral("fragment"),
                     QStringLiteral("noise"), QStringLiteral("interjection"), QStringLiteral("foreign"),
                     QStringLiteral("brand"), QStringLiteral("offensive")},
                    &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY2(leftOut.size() <= 3500, qPrintable(QString::number(leftOut.size())));

    const struct
    {
        qsizetype lines;
        double floor;
    } measures[] = {{10000, 0.95}, {20000, frequent20000Floor}};
    for (const auto &measured : measures) {
        const Coverage coverage = measure(frequent.mid(0, measured.lines), leftOut, built);
        if (measured.lines == frequent.size())
            QVERIFY2(coverage.fault.isEmpty(), qPrintable(coverage.fault));
        qInfo("first %lld lines: answered %lld of %lld counted forms (%.1f%%)", qlonglong(measured.lines),
              qlonglong(coverage.counted - coverage.unanswered.size()), qlonglong(coverage.counted),
              100.0 * coverage.share());
        QVERIFY2(coverage.share() >= measured.floor,
                 qPrintable(QStringLiteral("unanswered: ") + coverage.unanswered.mid(0, 300).join(QLatin1Char(' '))));
    }
}

// Written English: of the lower-case words of scowl's commonest grades, the
// share answered, with at most 3% of each set left out for a reason.
void TestWordList::answersWrittenEnglish()
{
    const QString scowl = QStringLiteral("/usr/share/dict/scowl/english-words.");
    if (!QFile::exists(scowl + QStringLiteral("10")))
        QSKIP("scowl is not installed (scripts/install-deps.sh installs it): coverage of written English not measured");
    QString error;
    const QSet<QString> leftOut =
        readLeftOut(QStringLiteral(WRITTEN_EXCLUSIONS),
                    {QStringLiteral("archaic"), QStringLiteral("technical"), QStringLiteral("offensive"),
                     QStringLiteral("foreign"), QStringLiteral("name")},
                    &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const QStringList common = scowlWords(scowl + QStringLiteral("10")) + scowlWords(scowl + QStringLiteral("20"));
    const QStringList written = scowlWords(scowl + QStringLiteral("35"));
    const struct
    {
        const char *name;
        QStringList words;
        double floor;
    } measures[] = {{"english-words.10 and .20", common, scowl20Floor}, {"english-words.35", written, scowl35Floor}};
    QSet<QString> measuredWords;
    for (const auto &measured : measures) {
        const QSet<QString> words(measured.words.begin(), measured.words.end());
        measuredWords.unite(words);
        const Coverage coverage = measure(measured.words, leftOut & words, built);
        QVERIFY2(coverage.fault.isEmpty(), qPrintable(coverage.fault));
        QVERIFY2((leftOut & words).size() <= words.size() * 3 / 100, measured.name);
        qInfo("%s: answered %lld of %lld counted words (%.1f%%), %lld left out", measured.name,
              qlonglong(coverage.counted - coverage.unanswered.size()), qlonglong(coverage.counted),
              100.0 * coverage.share(), qlonglong((leftOut & words).size()));
        QVERIFY2(coverage.share() >= measured.floor,
                 qPrintable(QStringLiteral("unanswered: ") + coverage.unanswered.mid(0, 300).join(QLatin1Char(' '))));
    }
    const QSet<QString> stray = leftOut - measuredWords;
    QVERIFY2(stray.isEmpty(), qPrintable(QStringList(stray.begin(), stray.end()).join(QLatin1Char(' '))));
}

// Of the real English forms of the most frequent headwords (our own list of
// them), the share the built dictionary answers: 86.4% with forms guessed from
// the Sinhala senses and a hand-made table, 99.5% with WordNet's.
void TestWordList::answersTheFormsOfFrequentHeadwords()
{
    QFile file(QStringLiteral(FREQUENT_FORMS));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QSet<QString> listed;
    QStringList unanswered;
    qsizetype forms = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        listed.insert(line.section(QLatin1Char('\t'), 0, 0));
        for (const QString &form : line.section(QLatin1Char('\t'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            ++forms;
            if (built.value(form).isEmpty())
                unanswered.append(form);
        }
    }
    const double share = double(forms - unanswered.size()) / double(forms);
    qInfo("answered %lld of %lld forms of %lld headwords (%.1f%%)", qlonglong(forms - unanswered.size()),
          qlonglong(forms), qlonglong(listed.size()), 100.0 * share);
    QVERIFY2(share >= 0.99, qPrintable(QStringLiteral("unanswered: ") + unanswered.join(QLatin1Char(' '))));

    // The list holds the 300 headwords met most often, but for those that
    // are themselves forms of another (coming, feeling).
    QFile frequencies(QStringLiteral(SHARED_DATA_DIR "/en-frequency-subtitles.txt"));
    if (!frequencies.open(QIODevice::ReadOnly))
        QSKIP("no frequency list: which headwords are the most frequent is not checked");
    QSet<QString> headwords;
    for (const Line &line : std::as_const(lines))
        headwords.insert(line.key);
    QStringList frequent;
    while (frequent.size() < 300 && !frequencies.atEnd()) {
        const QString word = QString::fromUtf8(frequencies.readLine()).section(QLatin1Char(' '), 0, 0).toLower();
        const QStringList senses = built.value(word).split(QLatin1Char('|'));
        const bool form = std::any_of(senses.cbegin(), senses.cend(), [](const QString &sense) {
            return sense.startsWith(QLatin1String("<a href=")) && sense.endsWith(QLatin1Char(')'));
        });
        if (headwords.contains(word) && !form && !frequent.contains(word))
            frequent.append(word);
    }
    for (const QString &word : std::as_const(frequent))
        QVERIFY2(listed.contains(word), qPrintable(word + QStringLiteral(" is among the 300 yet not listed")));
}

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_wordlist.moc"
