#include "settings/storedpropslist.h"
#include "settings/tpropsstorage.h"

#include <QMap>
#include <QTest>

#include <stdexcept>

namespace {

class FontProps : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Color MEMBER m_color)
    Q_PROPERTY(int Height MEMBER m_height)
    Q_PROPERTY(QString Name MEMBER m_name)
    Q_PROPERTY(FontPitch Pitch MEMBER m_pitch)
    Q_PROPERTY(int Size MEMBER m_size)
    Q_PROPERTY(Styles Style READ style WRITE setStyle)

public:
    enum FontPitch { fpDefault, fpVariable, fpFixed };
    Q_ENUM(FontPitch)
    enum StyleFlag { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(Styles, StyleFlag)
    Q_FLAG(Styles)

    Styles style() const { return m_style; }
    void setStyle(Styles style) { m_style = style; }

    int m_color = -2147483640;
    int m_height = -13;
    QString m_name = QStringLiteral("Courier New");
    FontPitch m_pitch = fpDefault;
    int m_size = 10;
    Styles m_style;
};

class Component : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool checked MEMBER m_checked)
    Q_PROPERTY(QString Caption MEMBER m_caption)
    Q_PROPERTY(int FilterIndex MEMBER m_filterIndex)
    Q_PROPERTY(double Ratio MEMBER m_ratio)
    Q_PROPERTY(QChar Letter MEMBER m_letter)
    Q_PROPERTY(QStringList Lines MEMBER m_lines)
    Q_PROPERTY(QObject *Font READ font)

public:
    Component(const QString &name, QObject *parent)
        : QObject(parent)
    {
        setObjectName(name);
    }
    QObject *font() { return &m_font; }

    bool m_checked = false;
    QString m_caption;
    int m_filterIndex = 1;
    double m_ratio = 0.5;
    QChar m_letter = QLatin1Char('x');
    QStringList m_lines;
    FontProps m_font;
};

// An in-memory store: section -> name -> value, recording the order of writes.
struct FakeStore
{
    QMap<QString, QMap<QString, QString>> sections;
    QStringList written;
    QString failOn;

    TPropsStorage storage(const QString &section)
    {
        TPropsStorage result(
                [this](const QString &s, const QString &n, const QString &d) {
                    if (n == failOn)
                        throw std::runtime_error("unreadable");
                    return sections.value(s).value(n, d);
                },
                [this](const QString &s, const QString &n, const QString &v) {
                    sections[s][n] = v;
                    written.append(n);
                },
                [this](const QString &s) { sections.remove(s); });
        result.Section = section;
        return result;
    }
};

} // namespace

class TestPropsStorage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storesTheListedPropertiesByName();
    void objectPropertiesStoreTheirOwnProperties();
    void loadingConvertsTextBack_data();
    void loadingConvertsTextBack();
    void missingValuesLeavePropertiesAlone();
    void oneUnreadablePropertyDoesNotStopTheRest();
    void badEntriesAreDropped();
    void stringListsHaveASectionOfTheirOwn();
};

void TestPropsStorage::storesTheListedPropertiesByName()
{
    QObject form;
    auto *hints = new Component("mniButtonHints", &form);
    auto *date = new Component("lblDate", &form);
    hints->m_checked = true;
    date->m_caption = QStringLiteral("  3 \t");
    StoredPropsList list;
    list.assign({"mniButtonHints.Checked", "lblDate.Caption", "lblDate.FilterIndex"}, &form);
    FakeStore store;
    TPropsStorage storage = store.storage("Main Form");
    list.store(storage);
    QCOMPARE(store.written,
             (QStringList{"mniButtonHints_Checked", "lblDate_Caption", "lblDate_FilterIndex"}));
    QCOMPARE(store.sections["Main Form"]["mniButtonHints_Checked"], QStringLiteral("True"));
    QCOMPARE(store.sections["Main Form"]["lblDate_Caption"], QStringLiteral("3"));
    QCOMPARE(store.sections["Main Form"]["lblDate_FilterIndex"], QStringLiteral("1"));

    date->m_caption.clear(); // an empty string is written, not skipped
    list.store(storage);
    QCOMPARE(store.sections["Main Form"]["lblDate_Caption"], QString());
}

void TestPropsStorage::objectPropertiesStoreTheirOwnProperties()
{
    QObject form;
    auto *memo = new Component("mmoMemo", &form);
    memo->m_font.m_style = FontProps::Styles(FontProps::fsBold) | FontProps::fsStrikeOut;
    memo->m_font.m_pitch = FontProps::fpFixed;
    StoredPropsList list;
    list.assign({"mmoMemo.Font"}, &form);
    FakeStore store;
    TPropsStorage storage = store.storage("Edit Form");
    list.store(storage);
    QCOMPARE(store.written,
             (QStringList{"mmoMemo_FontColor", "mmoMemo_FontHeight", "mmoMemo_FontName",
                          "mmoMemo_FontPitch", "mmoMemo_FontSize", "mmoMemo_FontStyle"}));
    const auto &values = store.sections["Edit Form"];
    QCOMPARE(values["mmoMemo_FontColor"], QStringLiteral("-2147483640"));
    QCOMPARE(values["mmoMemo_FontHeight"], QStringLiteral("-13"));
    QCOMPARE(values["mmoMemo_FontName"], QStringLiteral("Courier New"));
    QCOMPARE(values["mmoMemo_FontPitch"], QStringLiteral("fpFixed"));
    QCOMPARE(values["mmoMemo_FontStyle"], QStringLiteral("[fsBold,fsStrikeOut]"));
    memo->m_font.m_style = {};
    list.store(storage);
    QCOMPARE(store.sections["Edit Form"]["mmoMemo_FontStyle"], QStringLiteral("[]"));
}

void TestPropsStorage::loadingConvertsTextBack_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected"); // the property's text afterwards

    QTest::newRow("true any case") << "c.Checked"
                                   << "c_Checked"
                                   << "tRUE"
                                   << "True";
    QTest::newRow("other word leaves bool") << "c.Checked"
                                            << "c_Checked"
                                            << "yes"
                                            << "False";
    QTest::newRow("string trimmed") << "c.Caption"
                                    << "c_Caption"
                                    << "  *.txt  "
                                    << "*.txt";
    QTest::newRow("integer") << "c.FilterIndex"
                             << "c_FilterIndex"
                             << " 3 "
                             << "3";
    QTest::newRow("integer not a number") << "c.FilterIndex"
                                          << "c_FilterIndex"
                                          << "abc"
                                          << "0";
    QTest::newRow("float") << "c.Ratio"
                           << "c_Ratio"
                           << "0.25"
                           << "0.25";
    QTest::newRow("bad float unchanged") << "c.Ratio"
                                         << "c_Ratio"
                                         << "half"
                                         << "0.5";
    QTest::newRow("character") << "c.Letter"
                               << "c_Letter"
                               << "yes"
                               << "y";
    QTest::newRow("styles with blanks") << "c.Font"
                                        << "c_FontStyle"
                                        << "[fsBold, fsItalic]"
                                        << "[fsBold,fsItalic]";
    QTest::newRow("styles unknown words") << "c.Font"
                                          << "c_FontStyle"
                                          << "[heavy]"
                                          << "[]";
    QTest::newRow("pitch any case") << "c.Font"
                                    << "c_FontPitch"
                                    << "FPVARIABLE"
                                    << "fpVariable";
    QTest::newRow("pitch unknown unchanged") << "c.Font"
                                             << "c_FontPitch"
                                             << "fpWide"
                                             << "fpDefault";
    QTest::newRow("font size") << "c.Font"
                               << "c_FontSize"
                               << "12"
                               << "12";
}

void TestPropsStorage::loadingConvertsTextBack()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    QObject form;
    auto *component = new Component("c", &form);
    StoredPropsList list;
    list.assign({entry}, &form);
    FakeStore store;
    store.sections["S"][name] = stored;
    TPropsStorage storage = store.storage("S");
    list.load(storage);

    const QString property = name.mid(2); // after "c_"
    QObject *target = component;
    QString propertyName = property;
    if (property.startsWith("Font")) {
        target = component->font();
        propertyName = property.mid(4);
    }
    const QMetaObject *meta = target->metaObject();
    const QMetaProperty metaProperty = meta->property(meta->indexOfProperty(
            propertyName == "Checked" ? "checked" : propertyName.toLatin1().constData()));
    QCOMPARE(TPropsStorage::valueText(target, metaProperty), expected);
}

void TestPropsStorage::missingValuesLeavePropertiesAlone()
{
    QObject form;
    auto *component = new Component("c", &form);
    component->m_caption = QStringLiteral("kept");
    component->m_filterIndex = 4;
    component->m_font.m_size = 14;
    StoredPropsList list;
    list.assign({"c.Caption", "c.FilterIndex", "c.Font", "c.Lines"}, &form);
    FakeStore store;
    TPropsStorage storage = store.storage("S");
    list.load(storage);
    QCOMPARE(component->m_caption, QStringLiteral("kept"));
    QCOMPARE(component->m_filterIndex, 4);
    QCOMPARE(component->m_font.m_size, 14);
}

void TestPropsStorage::oneUnreadablePropertyDoesNotStopTheRest()
{
    QObject form;
    auto *component = new Component("c", &form);
    StoredPropsList list;
    list.assign({"c.Caption", "c.FilterIndex", "c.Checked"}, &form);
    FakeStore store;
    store.failOn = QStringLiteral("c_FilterIndex");
    store.sections["S"]["c_Caption"] = QStringLiteral("a");
    store.sections["S"]["c_FilterIndex"] = QStringLiteral("7");
    store.sections["S"]["c_Checked"] = QStringLiteral("True");
    TPropsStorage storage = store.storage("S");
    list.load(storage);
    QCOMPARE(component->m_caption, QStringLiteral("a"));
    QCOMPARE(component->m_filterIndex, 1);
    QVERIFY(component->m_checked);
}

void TestPropsStorage::badEntriesAreDropped()
{
    QObject form;
    new Component("lblTime", &form);
    auto *going = new Component("lblGone", &form);
    StoredPropsList list;
    list.assign({"nodot", ".Caption", "lblTime.", " lblTime . Caption ", "lblMissing.Caption",
                 "lblTime.NoSuchProperty", "lblGone.Caption"},
                &form);
    QCOMPARE(list.entries(),
             (QStringList{"lblTime.Caption", "lblTime.NoSuchProperty", "lblGone.Caption"}));
    // Each setting that would be lost is told, the case of a property's name aside.
    QCOMPARE(list.missing(),
             (QStringList{"nodot", ".Caption", "lblTime.", "lblMissing.Caption",
                          "lblTime.NoSuchProperty"}));
    list.assign({"lblTime.caption", "lblTime.CAPTION"}, &form);
    QCOMPARE(list.missing(), QStringList());
    list.assign({"nodot", ".Caption", "lblTime.", " lblTime . Caption ", "lblMissing.Caption",
                 "lblTime.NoSuchProperty", "lblGone.Caption"},
                &form);
    delete going;
    form.findChild<QObject *>("lblTime")->setObjectName("lblClock");
    QCOMPARE(list.entries(), (QStringList{"lblClock.Caption", "lblClock.NoSuchProperty"}));
    FakeStore store;
    TPropsStorage storage = store.storage("S");
    list.store(storage);
    QCOMPARE(store.written, QStringList{"lblClock_Caption"}); // the unknown property is skipped
}

void TestPropsStorage::stringListsHaveASectionOfTheirOwn()
{
    QObject form;
    auto *component = new Component("c", &form);
    StoredPropsList list;
    list.assign({"c.Lines"}, &form);
    FakeStore store;
    store.sections["S.c_Lines"]["Stale"] = QStringLiteral("x");
    TPropsStorage storage = store.storage("S");
    list.store(storage); // empty list: the section is erased, nothing written
    QVERIFY(!store.sections.contains("S.c_Lines"));

    component->m_lines = QStringList{"one", "two"};
    list.store(storage);
    QCOMPARE(store.sections["S.c_Lines"],
             (QMap<QString, QString>{{"Count", "2"}, {"Item0", "one"}, {"Item1", "two"}}));

    component->m_lines.clear();
    store.sections["S.c_Lines"] = {{"Count", " 3"}, {"Item0", "a"}, {"Item2", "c"}};
    list.load(storage);
    QCOMPARE(component->m_lines, (QStringList{"a", "", "c"}));
    store.sections["S.c_Lines"] = {{"Count", "none"}};
    list.load(storage);
    QCOMPARE(component->m_lines, (QStringList{"a", "", "c"}));
}

QTEST_APPLESS_MAIN(TestPropsStorage)
#include "tst_propsstorage.moc"
