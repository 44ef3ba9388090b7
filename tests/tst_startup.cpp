// SPDX-License-Identifier: MIT
// Start-up: stored settings, the two options, the clipboard lookup or the
// history list, saving at close, and where the window is placed.
#include "app/platformpreference.h"
#include "appinfo.h"
#include "settings/windowsettings.h"
#include "tests/testsupport.h"
#include "tests/windowdriver.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QScreen>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstRunShowsTheHistoryOnTop();
    void clipboardIsLookedUpWhenHistoryIsOff_data();
    void clipboardIsLookedUpWhenHistoryIsOff();
    void emptyClipboardDoesNothing();
    void alwaysOnTopOffKeepsTheWindowHidden();
    void toggleAlwaysOnTop();
    void showHistoryOptionTakesEffectNextStart();
    void closingSavesAllThreeKeys();
    void storedPositionIsRestored_data();
    void storedPositionIsRestored();
    void placeWindow_data();
    void placeWindow();
    void garbageSettingsLeaveTheWindowUsable();
    void hugeClipboardText();

    void platformPreference_data();
    void platformPreference();
    void clipboardReadAgainOnFirstActivation();
    void noRetryWhenHistoryIsShown();
    void noRetryAfterTyping();
    void noRetryWhenStartupHadText();

private:
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<ModalWatcher> boxes;
};

void TestStartup::init()
{
    environment = std::make_unique<TestEnvironment>();
    environment->createDictionary({{"apple", QString::fromUtf8("ඇපල්")},
                                   {"water", QString::fromUtf8("වතුර|ජලය")},
                                   {QString::fromUtf8("පොත"), "book"}});
    QGuiApplication::clipboard()->clear();
    boxes = std::make_unique<ModalWatcher>();
}

void TestStartup::cleanup()
{
    finishTestCase(boxes, environment);
}

void TestStartup::firstRunShowsTheHistoryOnTop()
{
    environment->exec(QStringLiteral("insert into history(word) values('water')"));
    QGuiApplication::clipboard()->setText(QStringLiteral("apple"));
    WindowDriver driver;
    // Shown by the always-on-top option while it was being built.
    QVERIFY(driver.window->isVisible());
    QVERIFY(driver.window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(driver.alwaysOnTop->isChecked());
    QVERIFY(driver.showHistory->isChecked());
    QCOMPARE(driver.window->pos(), QPoint(200, 200));
    QCOMPARE(anchorTargets(driver.resultView), QStringList{"water"});
    QCOMPARE(driver.searchBox->text(), QStringLiteral("--history"));
    QCOMPARE(driver.searchBox->selectedText(), QStringLiteral("--history"));
    QCOMPARE(driver.window->focusWidget(), driver.searchBox);
    QCOMPARE(environment->history(), QStringList{"water"});
}

void TestStartup::clipboardIsLookedUpWhenHistoryIsOff_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("recorded");
    const QString water = QString::fromUtf8("වතුර\nජලය\n");
    QTest::newRow("word with capitals") << "Water"
                                        << "Water" << water << QStringList{"water"};
    QTest::newRow("help command")
        << "-h"
        << "-h"
        << "Help Document\nHistory: -H or --history\nHelp: -h or --help\nVersion: -v or --version" << QStringList();
    QTest::newRow("version command") << "--version"
                                     << "--version"
                                     << QStringLiteral("Version\n%1v").arg(QLatin1String(AppInfo::version))
                                     << QStringList();
    addCopiedTextRows();
    QTest::newRow("only spaces") << "   "
                                 << "   "
                                 << "\n"
                                 << QStringList();
}

void TestStartup::clipboardIsLookedUpWhenHistoryIsOff()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, box);
    QFETCH(QString, shown);
    QFETCH(QStringList, recorded);
    environment->writeSettings({{"startup", false}});
    QGuiApplication::clipboard()->setText(clipboard);
    WindowDriver driver;
    QCOMPARE(driver.searchBox->text(), box);
    QCOMPARE(driver.searchBox->selectedText(), box);
    QCOMPARE(driver.resultView->toPlainText(), shown);
    QCOMPARE(environment->history(), recorded);
}

void TestStartup::emptyClipboardDoesNothing()
{
    environment->writeSettings({{"startup", false}});
    WindowDriver driver;
    QCOMPARE(driver.searchBox->text(), QString());
    QCOMPARE(driver.resultView->toPlainText(), QString());
    QVERIFY(environment->history().isEmpty());
}

void TestStartup::alwaysOnTopOffKeepsTheWindowHidden()
{
    environment->writeSettings({{"check", false}});
    WindowDriver driver;
    QVERIFY(!driver.window->isVisible());
    QVERIFY(!(driver.window->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(!driver.alwaysOnTop->isChecked());
    // The history is still listed: the two options are independent.
    QCOMPARE(driver.searchBox->text(), QStringLiteral("--history"));
}

void TestStartup::toggleAlwaysOnTop()
{
    environment->writeSettings({{"pos", QPoint(300, 250)}});
    WindowDriver driver;
    QVERIFY(driver.activate());
    driver.alwaysOnTop->click();
    QVERIFY(!(driver.window->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(driver.window->isVisible());
    QCOMPARE(driver.window->pos(), QPoint(300, 250));
    driver.alwaysOnTop->click();
    QVERIFY(driver.window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(driver.window->isVisible());
}

void TestStartup::showHistoryOptionTakesEffectNextStart()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("apple"));
    {
        WindowDriver driver;
        driver.showHistory->click();
        QCOMPARE(driver.searchBox->text(), QStringLiteral("--history"));
        QVERIFY(environment->history().isEmpty());
        driver.window->close();
    }
    WindowDriver driver;
    QCOMPARE(driver.searchBox->text(), QStringLiteral("apple"));
    QCOMPARE(environment->history(), QStringList{"apple"});
}

void TestStartup::closingSavesAllThreeKeys()
{
    WindowDriver driver;
    QVERIFY(environment->readSettings().isEmpty());
    QVERIFY(driver.window->close());
    const QVariantMap saved = environment->readSettings();
    QCOMPARE(saved.keys(), (QStringList{"check", "pos", "startup"}));
    QCOMPARE(saved.value("check").toBool(), true);
    QCOMPARE(saved.value("startup").toBool(), true);
    QCOMPARE(saved.value("pos").toPoint(), driver.window->pos());
}

void TestStartup::storedPositionIsRestored_data()
{
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<QPoint>("placed");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::newRow("on screen") << QPoint(300, 120) << QPoint(300, 120);
    QTest::newRow("partly off the right edge")
        << screen.topRight() + QPoint(-50, 10) << screen.topRight() + QPoint(-50, 10);
    QTest::newRow("partly above the top") << QPoint(100, -300) << QPoint(100, -300);
    QTest::newRow("off every screen") << QPoint(50000, 50000) << QPoint(200, 200);
    QTest::newRow("far to the left") << QPoint(-5000, 100) << QPoint(200, 200);
}

void TestStartup::storedPositionIsRestored()
{
    QFETCH(QPoint, stored);
    QFETCH(QPoint, placed);
    environment->writeSettings({{"pos", stored}, {"check", false}});
    WindowDriver driver;
    QCOMPARE(driver.window->pos(), placed);
}

void TestStartup::placeWindow_data()
{
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("primary");
    QTest::addColumn<QPoint>("placed");
    const QRect left(0, 0, 1920, 1080);
    const QRect right(1920, 0, 1280, 1024);
    const QRect tiny(0, 0, 160, 120);
    QTest::newRow("on the primary") << QPoint(10, 10) << QList<QRect>{left} << left << QPoint(10, 10);
    QTest::newRow("on the second screen")
        << QPoint(2500, 500) << QList<QRect>{left, right} << left << QPoint(2500, 500);
    QTest::newRow("second screen unplugged") << QPoint(2500, 500) << QList<QRect>{left} << left << QPoint(200, 200);
    QTest::newRow("one pixel on screen") << QPoint(1919, 1079) << QList<QRect>{left} << left << QPoint(1919, 1079);
    QTest::newRow("just off the edge") << QPoint(1920, 0) << QList<QRect>{left} << left << QPoint(200, 200);
    QTest::newRow("just above") << QPoint(0, -AppInfo::windowSize.height()) << QList<QRect>{left} << left
                                << QPoint(200, 200);
    QTest::newRow("primary not at origin") << QPoint(-3000, 0) << QList<QRect>{right} << right << QPoint(1920, 200);
    QTest::newRow("screen smaller than window") << QPoint(900, 900) << QList<QRect>{tiny} << tiny << QPoint(0, 0);
}

void TestStartup::placeWindow()
{
    QFETCH(QPoint, stored);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, primary);
    QFETCH(QPoint, placed);
    QCOMPARE(::placeWindow(stored, AppInfo::windowSize, screens, primary), placed);
}

void TestStartup::garbageSettingsLeaveTheWindowUsable()
{
#ifdef Q_OS_WIN
    QSKIP("the settings are kept in the registry, which holds no garbled file");
#endif
    environment->writeSettings({{"check", false}});
    QFile file(environment->settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[General]\npos=@Point(not a point)\ncheck=perhaps\nstartup=@Invalid()\n\x01\x02garbage\xff\n");
    file.close();
    WindowDriver driver;
    QVERIFY(driver.activate());
    driver.search(QStringLiteral("apple"));
    QCOMPARE(driver.resultView->toPlainText(), QString::fromUtf8("ඇපල්\n"));
    QVERIFY(driver.window->close());
}

void TestStartup::hugeClipboardText()
{
    environment->writeSettings({{"startup", false}, {"check", false}});
    QGuiApplication::clipboard()->setText(QString(qsizetype(1024) * 1024, QLatin1Char('a')));
    WindowDriver driver;
    QVERIFY(driver.resultView->toPlainText() == QStringLiteral("\n"));
    QVERIFY(environment->history().isEmpty());
    // Still answers.
    QVERIFY(driver.activate());
    driver.search(QStringLiteral("water"));
    QCOMPARE(driver.resultView->toPlainText(), QString::fromUtf8("වතුර\nජලය\n"));
}

void TestStartup::platformPreference_data()
{
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<bool>("isSet");
    QTest::addColumn<QString>("kernelType");
    QTest::addColumn<QByteArray>("preferred");
    const QString linuxKernel = QStringLiteral("linux");
    QTest::newRow("unset") << QByteArray() << false << linuxKernel << QByteArray("xcb;wayland");
    QTest::newRow("wayland") << QByteArray("wayland") << true << linuxKernel << QByteArray();
    QTest::newRow("offscreen") << QByteArray("offscreen") << true << linuxKernel << QByteArray();
    QTest::newRow("xcb") << QByteArray("xcb") << true << linuxKernel << QByteArray();
    QTest::newRow("set but empty") << QByteArray("") << true << linuxKernel << QByteArray();
    // Neither X nor Wayland there: Qt's own platform.
    QTest::newRow("windows, unset") << QByteArray() << false << QStringLiteral("winnt") << QByteArray();
    QTest::newRow("macos, unset") << QByteArray() << false << QStringLiteral("darwin") << QByteArray();
}

void TestStartup::platformPreference()
{
    QFETCH(QByteArray, current);
    QFETCH(bool, isSet);
    QFETCH(QString, kernelType);
    QFETCH(QByteArray, preferred);
    const QByteArray result = preferredPlatform(isSet ? current.constData() : nullptr, kernelType);
    QCOMPARE(result, preferred);
    QCOMPARE(result.isNull(), preferred.isNull());
}

void TestStartup::clipboardReadAgainOnFirstActivation()
{
    environment->writeSettings({{"startup", false}, {"check", false}});
    WindowDriver driver;
    QCOMPARE(driver.searchBox->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("Water"));
    QVERIFY(driver.activate());
    QCOMPARE(driver.searchBox->text(), QStringLiteral("Water"));
    QCOMPARE(driver.searchBox->selectedText(), QStringLiteral("Water"));
    QCOMPARE(driver.resultView->toPlainText(), QString::fromUtf8("වතුර\nජලය\n"));
    QCOMPARE(environment->history(), QStringList{"water"});

    // Only once: another window takes the focus, then this one again.
    QGuiApplication::clipboard()->setText(QStringLiteral("apple"));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    driver.searchBox->clear();
    QVERIFY(driver.activate());
    QCOMPARE(driver.searchBox->text(), QString());
    QCOMPARE(environment->history(), QStringList{"water"});
}

void TestStartup::noRetryWhenHistoryIsShown()
{
    environment->writeSettings({{"check", false}});
    WindowDriver driver;
    driver.searchBox->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("apple"));
    QVERIFY(driver.activate());
    QCOMPARE(driver.searchBox->text(), QString());
    QVERIFY(environment->history().isEmpty());
}

void TestStartup::noRetryAfterTyping()
{
    environment->writeSettings({{"startup", false}, {"check", false}});
    WindowDriver driver;
    driver.type(QStringLiteral("ap"));
    QTest::keyClick(driver.searchBox, Qt::Key_Backspace);
    QTest::keyClick(driver.searchBox, Qt::Key_Backspace);
    QCOMPARE(driver.searchBox->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("apple"));
    QVERIFY(driver.activate());
    QCOMPARE(driver.searchBox->text(), QString());
    QVERIFY(environment->history().isEmpty());
}

void TestStartup::noRetryWhenStartupHadText()
{
    environment->writeSettings({{"startup", false}, {"check", false}});
    QGuiApplication::clipboard()->setText(QStringLiteral("apple"));
    WindowDriver driver;
    QCOMPARE(environment->history(), QStringList{"apple"});
    driver.searchBox->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("water"));
    QVERIFY(driver.activate());
    QCOMPARE(driver.searchBox->text(), QString());
    QCOMPARE(environment->history(), QStringList{"apple"});
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
