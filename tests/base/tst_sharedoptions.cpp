#include "base/opendialogsettings.h"
#include "base/sharedoptions.h"
#include "base/valuelabel.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

class TestSharedOptions : public QObject
{
    Q_OBJECT

private slots:
    void textSettersSignalOnceOnARealChange_data();
    void textSettersSignalOnceOnARealChange();
    void backupsSignalOnceOnARealChange();
    void followStartsFromTheStoredValues();
    void followKeepsBothSidesEqual();
};

using Setter = std::function<void(SharedOptions &, const QString &)>;
using Getter = std::function<QString(const SharedOptions &)>;
Q_DECLARE_METATYPE(Setter)
Q_DECLARE_METATYPE(Getter)

void TestSharedOptions::textSettersSignalOnceOnARealChange_data()
{
    QTest::addColumn<Setter>("set");
    QTest::addColumn<Getter>("get");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("filter") << Setter(&SharedOptions::setFilterString)
                            << Getter(&SharedOptions::filterString)
                            << QByteArray(SIGNAL(filterStringChanged(QString)));
    QTest::newRow("filter index") << Setter(&SharedOptions::setFilterIndexText)
                                  << Getter(&SharedOptions::filterIndexText)
                                  << QByteArray(SIGNAL(filterIndexTextChanged(QString)));
    QTest::newRow("folder") << Setter(&SharedOptions::setOpenDirectory)
                            << Getter(&SharedOptions::openDirectory)
                            << QByteArray(SIGNAL(openDirectoryChanged(QString)));
    QTest::newRow("date") << Setter(&SharedOptions::setDateIndexText)
                          << Getter(&SharedOptions::dateIndexText)
                          << QByteArray(SIGNAL(dateIndexTextChanged(QString)));
    QTest::newRow("time") << Setter(&SharedOptions::setTimeIndexText)
                          << Getter(&SharedOptions::timeIndexText)
                          << QByteArray(SIGNAL(timeIndexTextChanged(QString)));
}

void TestSharedOptions::textSettersSignalOnceOnARealChange()
{
    QFETCH(Setter, set);
    QFETCH(Getter, get);
    QFETCH(QByteArray, signal);
    SharedOptions options;
    QSignalSpy spy(&options, signal.constData());
    set(options, get(options));
    QCOMPARE(spy.count(), 0);

    set(options, QStringLiteral("/Home/Case Kept"));
    QCOMPARE(get(options), QStringLiteral("/Home/Case Kept"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/Home/Case Kept"));
    set(options, QStringLiteral("/Home/Case Kept"));
    QCOMPARE(spy.count(), 1);
    // Another case is another value.
    set(options, QStringLiteral("/home/case kept"));
    QCOMPARE(spy.count(), 2);
    set(options, QString());
    QCOMPARE(spy.count(), 3);
    QCOMPARE(get(options), QString());
}

void TestSharedOptions::backupsSignalOnceOnARealChange()
{
    SharedOptions options;
    QVERIFY(!options.automaticBackups());
    QSignalSpy spy(&options, &SharedOptions::automaticBackupsChanged);
    options.setAutomaticBackups(false);
    QCOMPARE(spy.count(), 0);
    options.setAutomaticBackups(true);
    options.setAutomaticBackups(true);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    options.setAutomaticBackups(false);
    QCOMPARE(spy.count(), 2);
}

void TestSharedOptions::followStartsFromTheStoredValues()
{
    OpenDialogSettings dialog(QStringLiteral("Text|*.txt"), nullptr);
    dialog.setInitialDir(QStringLiteral("/start/"));
    ValueLabel filter(QStringLiteral("lblFilter"), QStringLiteral("2"), nullptr);
    ValueLabel date(QStringLiteral("lblDate"), QStringLiteral("7"), nullptr);
    ValueLabel time(QStringLiteral("lblTime"), QStringLiteral("3"), nullptr);
    SharedOptions options;
    options.follow(&dialog, &filter, &date, &time);
    QCOMPARE(options.openDirectory(), QStringLiteral("/start/"));
    QCOMPARE(options.filterString(), QStringLiteral("Text|*.txt"));
    QCOMPARE(options.filterIndexText(), QStringLiteral("2"));
    QCOMPARE(options.dateIndexText(), QStringLiteral("7"));
    QCOMPARE(options.timeIndexText(), QStringLiteral("3"));
}

void TestSharedOptions::followKeepsBothSidesEqual()
{
    OpenDialogSettings dialog(QStringLiteral("Text|*.txt"), nullptr);
    ValueLabel filter(QStringLiteral("lblFilter"), QStringLiteral("1"), nullptr);
    ValueLabel date(QStringLiteral("lblDate"), QStringLiteral("0"), nullptr);
    ValueLabel time(QStringLiteral("lblTime"), QStringLiteral("-1"), nullptr);
    SharedOptions options;
    options.follow(&dialog, &filter, &date, &time);
    QSignalSpy folders(&options, &SharedOptions::openDirectoryChanged);
    QSignalSpy dialogFolders(&dialog, &OpenDialogSettings::initialDirChanged);

    // Restored settings are written as properties, by name.
    QVERIFY(dialog.setProperty("InitialDir", QStringLiteral("/restored")));
    QVERIFY(dialog.setProperty("Filter", QStringLiteral("All|*")));
    QVERIFY(date.setProperty("Caption", QStringLiteral("5")));
    QCOMPARE(options.openDirectory(), QStringLiteral("/restored"));
    QCOMPARE(options.filterString(), QStringLiteral("All|*"));
    QCOMPARE(options.dateIndexText(), QStringLiteral("5"));
    QCOMPARE(folders.count(), 1);

    // A Workspace's Save As moves the folder the frame's Open dialog starts in.
    options.setOpenDirectory(QStringLiteral("/saved/here"));
    QCOMPARE(dialog.initialDir(), QStringLiteral("/saved/here"));
    QCOMPARE(dialogFolders.count(), 2);
    QCOMPARE(folders.count(), 2);
    options.setFilterIndexText(QStringLiteral("4"));
    options.setTimeIndexText(QStringLiteral("2"));
    QCOMPARE(filter.caption(), QStringLiteral("4"));
    QCOMPARE(time.caption(), QStringLiteral("2"));
    options.setFilterString(QStringLiteral("Html|*.htm"));
    QCOMPARE(dialog.filter(), QStringLiteral("Html|*.htm"));
}

QTEST_GUILESS_MAIN(TestSharedOptions)
#include "tst_sharedoptions.moc"
