#include "settings/inilinkhost.h"
#include "settings/settingsstore.h"
#include "settings/tinilink.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace {

// A form's storage as its links see it.
class Host : public IniLinkHost
{
public:
    const QObject *linkedForm() const override { return &form; }
    void save(SettingsStore &store) { saveLinks(store, QStringLiteral("root")); }
    void load(SettingsStore &store) { loadLinks(store, QStringLiteral("root")); }

    QObject form;
};

} // namespace

// Objects that keep their own values beside a form's, such as a tool bar's layout.
class TestIniLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void handlersRunWithTheStoreOpen();
    void eitherSideMayGoFirst();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
};

void TestIniLink::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<SettingsStore>(m_dir->filePath(QStringLiteral("Leafstack.reg")));
}

void TestIniLink::handlersRunWithTheStoreOpen()
{
    Host host;
    TIniLink link;
    QStringList calls;
    link.OnSave = [&](SettingsStore &store, const QString &root) {
        QCOMPARE(link.IniObject(), &store);
        calls << QStringLiteral("save ") + root;
    };
    link.setStorage(&host);
    QCOMPARE(link.Storage(), &host);
    QCOMPARE(host.linkedForm(), &host.form);
    host.save(*m_store);
    // No load handler: loading runs nothing.
    host.load(*m_store);
    QCOMPARE(calls, QStringList{QStringLiteral("save root")});
    QVERIFY(!link.IniObject());

    // A handler that fails leaves the store closed, and the failure reaches the caller.
    link.OnLoad = [](SettingsStore &, const QString &) {
        throw std::runtime_error("broken");
    };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, host.load(*m_store));
    QVERIFY(!link.IniObject());
}

void TestIniLink::eitherSideMayGoFirst()
{
    int saves = 0;
    auto first = std::make_unique<Host>();
    Host second;
    auto link = std::make_unique<TIniLink>();
    link->OnSave = [&saves](SettingsStore &, const QString &) {
        ++saves;
    };
    link->setStorage(first.get());
    // Moved to another storage, it leaves the first.
    link->setStorage(&second);
    first->save(*m_store);
    QCOMPARE(saves, 0);
    second.save(*m_store);
    QCOMPARE(saves, 1);
    // A link that goes is no longer run; a storage that goes leaves its links unattached.
    link.reset();
    second.save(*m_store);
    QCOMPARE(saves, 1);
    TIniLink other;
    other.setStorage(first.get());
    first.reset();
    QVERIFY(!other.Storage());
}

QTEST_GUILESS_MAIN(TestIniLink)
#include "tst_inilink.moc"
