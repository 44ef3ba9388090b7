// SPDX-License-Identifier: MIT
#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <QHash>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>

#include <memory>

class QTextBrowser;

using Row = QPair<QString, QVariant>;

// A test case's own world: a temporary working directory that the program's
// "./en-si.db" resolves into, and a settings store inside it, never the
// user's. Restores the previous working directory when it goes.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();

    QString path() const { return dir.path(); }
    QString databasePath() const;

    // Creates ./en-si.db with the shipped schema, or the given one, and
    // these dict rows.
    void createDictionary(const QList<Row> &rows, const QStringList &schema = QStringList()) const;
    // Creates ./en-si.db with the given statements (for broken layouts).
    void createDatabase(const QStringList &statements) const;
    void exec(const QString &statement) const;
    QStringList history() const;
    // Column `column` of the first row the statement gives.
    QVariant scalar(const QString &statement, int column = 0) const;

    void writeSettings(const QVariantMap &values) const;
    QVariantMap readSettings() const;
    QString settingsFile() const;

private:
    QTemporaryDir dir;
    QString previousDirectory;
};

// Closes every modal box that appears and remembers its title and text, so a
// test that does not expect one fails instead of hanging, and a test that
// does can check what it said.
class ModalWatcher : public QObject
{
    Q_OBJECT

public:
    ModalWatcher();

    const QStringList &titles() const { return seenTitles; }
    const QStringList &texts() const { return seenTexts; }
    int count() const { return int(seenTexts.size()); }

private slots:
    void closeModal();

private:
    QTimer timer;
    QStringList seenTitles;
    QStringList seenTexts;
};

// What the importer makes of these headwords, each with its "|"-joined
// senses, forms and phrase lines included unless forms is false: key to value.
QHash<QString, QString> importedEntries(const QList<QPair<QString, QString>> &records, bool forms = true);

// A test's world whose dictionary holds exactly these keys, with settings
// that start the window quietly (no history list, no clipboard lookup) and
// an empty clipboard.
std::unique_ptr<TestEnvironment> quietEnvironmentWith(const QHash<QString, QString> &keys);

// Ends a test case: the window's boxes and the test's world go first, so a
// failure cannot leak into the next test; then fails unless exactly
// `expectedBoxes` error boxes appeared.
void finishTestCase(std::unique_ptr<ModalWatcher> &boxes, std::unique_ptr<TestEnvironment> &environment,
                    int expectedBoxes = 0);

// What a view shows after QTextEdit::setText(html) with the program's font:
// comparing it with the view's own document checks the exact HTML it got.
// A program run to its end (two minutes at most): its exit status (-1
// when it crashed or did not finish) and what it printed.
struct ProgramRun
{
    int status = -1;
    QString out;
    QString err;
};
ProgramRun runProgram(const QString &program, const QStringList &arguments,
                      const QString &workingDirectory = QString());

// Writes the bytes as the whole file; the test fails when it cannot.
void writeFile(const QString &path, const QByteArray &bytes);

// Rows of text as it comes copied from other programs (spaces, line ends,
// punctuation, decomposed Sinhala), for a table with the columns text, the
// search box afterwards, the view's plain text and the words recorded: each
// is looked up cleaned, against the fixture's water and පොත.
void addCopiedTextRows();

QString renderedAs(const QString &html);
QString shownHtml(const QTextBrowser *view);

// The version page, as the program shows it.
QString versionPageHtml();
// The English help page, as the view receives it.
QString helpPageHtml();

// The link targets of the anchors a view shows, in order.
QStringList anchorTargets(const QTextBrowser *view);
// Clicks the anchor with the given index as a user would, with the mouse.
void clickAnchor(QTextBrowser *view, int index);

// Runs the rest of a scope without root's right to ignore file modes, so
// that a read-only file is read-only. Does nothing for other users. The
// directories below `directory` are opened to everyone, or made read-only.
class WithoutRoot
{
public:
    explicit WithoutRoot(const QString &directory, bool writableDirectories = true);
    ~WithoutRoot();
    bool ok() const { return switched || !wasRoot; }

private:
    bool wasRoot = false;
    bool switched = false;
};

#endif
