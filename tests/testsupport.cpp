// SPDX-License-Identifier: MIT
#include "tests/testsupport.h"

#include "appinfo.h"
#include "tools/importer/dictionarywriter.h"
#include "tools/importer/importer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDirIterator>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const char fixtureConnection[] = "fixture";

template <typename Work> void withDatabase(const QString &path, Work work)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(fixtureConnection));
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("fixture: cannot open %s", qPrintable(path));
        work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(fixtureConnection));
}

void execOrDie(QSqlQuery &query, const QString &statement)
{
    if (!query.exec(statement))
        qFatal("fixture: %s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
}

// The program's own settings store.
QString settingsOrganisation()
{
    return QLatin1String(AppInfo::settingsOrganisation);
}

QString settingsApplication()
{
    return QLatin1String(AppInfo::settingsApplication);
}

QFont programFont()
{
    QFont font;
    font.setPointSize(AppInfo::fontPointSize);
    return font;
}

} // namespace

TestEnvironment::TestEnvironment()
    : previousDirectory(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + QStringLiteral("/config"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path() + QStringLiteral("/config"));
#ifdef Q_OS_WIN
    // The registry cannot be moved into the test's folder: the Windows tests
    // run in their build's own Wine prefix, and each case starts empty.
    QSettings(settingsOrganisation(), settingsApplication()).clear();
#endif
}

TestEnvironment::~TestEnvironment()
{
    QDir::setCurrent(previousDirectory);
}

QString TestEnvironment::databasePath() const
{
    return dir.filePath(QStringLiteral("en-si.db"));
}

void TestEnvironment::createDatabase(const QStringList &statements) const
{
    withDatabase(databasePath(), [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        for (const QString &statement : statements)
            execOrDie(query, statement);
    });
}

void TestEnvironment::createDictionary(const QList<Row> &rows, const QStringList &schema) const
{
    createDatabase(schema.isEmpty() ? DictionaryWriter::schemaStatements() : schema);
    withDatabase(databasePath(), [&](QSqlDatabase &db) {
        // One transaction: row by row outside one, each insert waits for the disk.
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("insert into dict(key, value) values(?, ?)"));
        for (const Row &row : rows) {
            insert.bindValue(0, row.first);
            insert.bindValue(1, row.second);
            if (!insert.exec())
                qFatal("fixture: insert %s: %s", qPrintable(row.first), qPrintable(insert.lastError().text()));
        }
        insert.finish();
        if (!db.commit())
            qFatal("fixture: commit: %s", qPrintable(db.lastError().text()));
    });
}

void TestEnvironment::exec(const QString &statement) const
{
    createDatabase({statement});
}

QStringList TestEnvironment::history() const
{
    QStringList words;
    withDatabase(databasePath(), [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        execOrDie(query, QStringLiteral("select word from history order by id"));
        while (query.next())
            words.append(query.value(0).toString());
    });
    return words;
}

QVariant TestEnvironment::scalar(const QString &statement, int column) const
{
    QVariant value;
    withDatabase(databasePath(), [&](QSqlDatabase &db) {
        QSqlQuery query(db);
        execOrDie(query, statement);
        if (query.next())
            value = query.value(column);
    });
    return value;
}

void TestEnvironment::writeSettings(const QVariantMap &values) const
{
    QSettings settings(settingsOrganisation(), settingsApplication());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
}

QVariantMap TestEnvironment::readSettings() const
{
    QSettings settings(settingsOrganisation(), settingsApplication());
    QVariantMap values;
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys)
        values.insert(key, settings.value(key));
    return values;
}

QString TestEnvironment::settingsFile() const
{
    return QSettings(settingsOrganisation(), settingsApplication()).fileName();
}

ModalWatcher::ModalWatcher()
{
    connect(&timer, &QTimer::timeout, this, &ModalWatcher::closeModal);
    timer.start(10);
}

void ModalWatcher::closeModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        seenTitles.append(box->windowTitle());
        seenTexts.append(box->text());
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        return;
    }
    seenTitles.append(modal->windowTitle());
    seenTexts.append(QStringLiteral("(not a message box)"));
    modal->close();
}

QHash<QString, QString> importedEntries(const QList<QPair<QString, QString>> &records, bool forms)
{
    ImportOptions options;
    options.forms = forms;
    Importer importer(options);
    for (const auto &[word, senses] : records)
        importer.addRecord({{word}, senses.split(QLatin1Char('|'))});
    importer.addForms();
    QHash<QString, QString> keys;
    for (const Entry &entry : importer.entries().entries())
        keys.insert(entry.key, entry.value);
    return keys;
}

std::unique_ptr<TestEnvironment> quietEnvironmentWith(const QHash<QString, QString> &keys)
{
    auto environment = std::make_unique<TestEnvironment>();
    QList<Row> rows;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        rows.append({it.key(), it.value()});
    environment->createDictionary(rows);
    environment->writeSettings({{"startup", false}, {"check", false}});
    QGuiApplication::clipboard()->clear();
    return environment;
}

void finishTestCase(std::unique_ptr<ModalWatcher> &boxes, std::unique_ptr<TestEnvironment> &environment,
                    int expectedBoxes)
{
    const QStringList seen = boxes->texts();
    boxes.reset();
    environment.reset();
    QVERIFY2(seen.size() == expectedBoxes, qPrintable(seen.join(QLatin1Char('\n'))));
}

QString renderedAs(const QString &html)
{
    QTextBrowser view;
    view.setFont(programFont());
    view.setText(html);
    return view.toHtml();
}

QString versionPageHtml()
{
    return QStringLiteral("<h4>Version</h4><p>%1v</p>").arg(QLatin1String(AppInfo::version));
}

QString helpPageHtml()
{
    return QStringLiteral("<h4>Help Document</h4><p>History: <b>-H</b> or <b>--history</b></p>"
                          "<p>Help: <b>-h</b> or <b>--help</b></p><p>Version: <b>-v</b> or <b>--version</b></p>");
}

QString shownHtml(const QTextBrowser *view)
{
    return view->toHtml();
}

namespace {

struct AnchorSpan
{
    QString href;
    int position;
};

QList<AnchorSpan> anchors(const QTextDocument *document)
{
    QList<AnchorSpan> found;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor())
                found.append({fragment.charFormat().anchorHref(), fragment.position()});
        }
    }
    return found;
}

} // namespace

QStringList anchorTargets(const QTextBrowser *view)
{
    QStringList targets;
    const QList<AnchorSpan> spans = anchors(view->document());
    for (const AnchorSpan &span : spans)
        targets.append(span.href);
    return targets;
}

void clickAnchor(QTextBrowser *view, int index)
{
    const QList<AnchorSpan> spans = anchors(view->document());
    QVERIFY(index < spans.size());
    QTextCursor cursor(view->document());
    cursor.setPosition(spans.at(index).position + 1);
    const QPoint point = view->cursorRect(cursor).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

WithoutRoot::WithoutRoot(const QString &directory, bool writableDirectories)
{
#ifdef Q_OS_UNIX
    wasRoot = ::geteuid() == 0;
#endif
#ifdef Q_OS_WIN
    // Wine runs as the Unix user; as root it writes read-only files too,
    // and no Windows call gives that up.
    wasRoot = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#endif
    if (!wasRoot)
        return;
    // Everyone may enter the test's directories (and write into them, unless
    // asked not to); files keep their modes, so a read-only file stays so.
    const auto readable = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                          | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    const auto writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const auto open = writableDirectories ? readable | writable : readable;
    QFile::setPermissions(directory, open);
    QDirIterator it(directory, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().isDir())
            QFile::setPermissions(path, open);
        else
            QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOther);
    }
#ifdef Q_OS_UNIX
    switched = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
#endif
}

WithoutRoot::~WithoutRoot()
{
#ifdef Q_OS_UNIX
    if (switched && (::seteuid(0) != 0 || ::setegid(0) != 0))
        qFatal("cannot return to root");
#endif
}

void addCopiedTextRows()
{
    const QString water = QString::fromUtf8("වතුර\nජලය\n");
    const QStringList recorded{QStringLiteral("water")};
    const char *const waters[][2] = {{"spaces", "  Water  "},
                                     {"line feed", "water\n"},
                                     {"crlf", "water\r\n"},
                                     {"full stop", "water."},
                                     {"comma", "water,"},
                                     {"quotes", "\"water\""},
                                     {"no-break space", "\u00A0water\u00A0"},
                                     {"zero-width space", "\u200Bwater\u200B"}};
    for (const auto &row : waters) {
        const QString text = QString::fromUtf8(row[1]);
        const QString box =
            text.trimmed().startsWith(QLatin1Char('W')) ? QStringLiteral("Water") : QStringLiteral("water");
        QTest::newRow(row[0]) << text << box << water << recorded;
    }
    const QString book = QString::fromUtf8("ප\u0DDCත");
    QTest::newRow("decomposed sinhala") << QString::fromUtf8("ප\u0DD9\u0DCFත") << book << QStringLiteral("book\n")
                                        << QStringList{book};
}

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    process.waitForFinished(120000);
    const bool ended = process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit;
    ProgramRun run{ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
                   QString::fromUtf8(process.readAllStandardError())};
#ifdef Q_OS_WIN
    // Line ends as on Unix: a Windows console program writes CR LF.
    run.out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    run.err.replace(QLatin1String("\r\n"), QLatin1String("\n"));
#endif
    return run;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}
