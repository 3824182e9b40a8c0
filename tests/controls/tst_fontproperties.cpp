#include "controls/textdocument.h"
#include "controls/ui/fontproperties.h"
#include "controls/ui/textview.h"
#include "settings/tpropsstorage.h"

#include <QMap>
#include <QTest>

namespace {

// A storage of the six font values in a map, as they are stored.
TPropsStorage storageFor(QMap<QString, QString> &values, QObject *target)
{
    TPropsStorage storage(
            [&values](const QString &, const QString &name, const QString &d) {
                return values.value(name, d);
            },
            [&values](const QString &, const QString &name, const QString &v) { values[name] = v; },
            [](const QString &) {});
    storage.Target = target;
    storage.Prefix = QStringLiteral("mmoMemo_Font");
    return storage;
}

} // namespace

// The edit font as stored: six values that must bring the same font back.
class TestFontProperties : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedFontComesBack();
    void colourReferences();
    void heightAndSizeAgree();
    void impossibleSizesLeaveTheFont_data();
    void impossibleSizesLeaveTheFont();
};

void TestFontProperties::storedFontComesBack()
{
    QMap<QString, QString> values;

    TextDocument document;
    TextView first(&document);
    auto &firstFont = *static_cast<FontProperties *>(first.fontProperties());
    QCOMPARE(first.property("Font").value<QObject *>(), &firstFont); // what the storage finds
    QFont font(QStringLiteral("DejaVu Sans Mono"), 13);
    font.setBold(true);
    font.setUnderline(true);
    first.setTextFont(font);
    firstFont.setColor(FontProperties::colorReference(QColor(10, 20, 30)));
    firstFont.setPitch(FontProperties::fpFixed);
    storageFor(values, &firstFont).StoreObjectProperties();
    QCOMPARE(values.keys(),
             (QStringList{"mmoMemo_FontColor", "mmoMemo_FontHeight", "mmoMemo_FontName",
                          "mmoMemo_FontPitch", "mmoMemo_FontSize", "mmoMemo_FontStyle"}));
    QCOMPARE(values["mmoMemo_FontColor"], QString::number(10 | 20 << 8 | 30 << 16));
    QCOMPARE(values["mmoMemo_FontName"], QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(values["mmoMemo_FontPitch"], QStringLiteral("fpFixed"));
    QCOMPARE(values["mmoMemo_FontSize"], QStringLiteral("13"));
    QCOMPARE(values["mmoMemo_FontStyle"], QStringLiteral("[fsBold,fsUnderline]"));
    QVERIFY(values["mmoMemo_FontHeight"].toInt() < 0);

    TextView second(&document);
    auto &secondFont = *static_cast<FontProperties *>(second.fontProperties());
    storageFor(values, &secondFont).LoadObjectProperties();
    QCOMPARE(second.textFont().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(second.textFont().pointSize(), 13);
    QVERIFY(second.textFont().bold() && second.textFont().underline()
            && !second.textFont().italic());
    QCOMPARE(secondFont.color(), firstFont.color());
    QCOMPARE(second.palette().color(QPalette::Text), QColor(10, 20, 30));
}

void TestFontProperties::colourReferences()
{
    QCOMPARE(FontProperties::colorReference(QColor(255, 0, 0)), 0x0000ff);
    QCOMPARE(FontProperties::colorReference(QColor(0, 0, 255)), 0xff0000);
    QCOMPARE(FontProperties::fromColorReference(0x00ff00), QColor(0, 255, 0));
    TextDocument document;
    TextView control(&document);
    auto &font = *static_cast<FontProperties *>(control.fontProperties());
    QCOMPARE(font.color(), FontProperties::kWindowText); // the system colour by default
    QCOMPARE(font.objectName(), QStringLiteral("Font"));
}

void TestFontProperties::heightAndSizeAgree()
{
    TextDocument document;
    TextView control(&document);
    auto &font = *static_cast<FontProperties *>(control.fontProperties());
    const int dpi = control.logicalDpiY();
    font.setSize(12);
    QCOMPARE(font.height(), -int(std::lround(12.0 * dpi / 72)));
    font.setHeight(-20);
    QCOMPARE(font.height(), -20);
    font.setSize(0); // not a size: ignored
    QCOMPARE(font.height(), -20);
}

void TestFontProperties::impossibleSizesLeaveTheFont_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("size");
    QTest::addColumn<int>("points"); // 0: the control's own size
    QTest::newRow("both impossible") << "-2147483648"
                                     << "100000" << 0;
    QTest::newRow("height impossible") << "2147483647"
                                       << "14" << 14;
    QTest::newRow("size impossible") << "-20"
                                     << "-5" << 15; // 20 pixels at 96 dots an inch
    QTest::newRow("both out of range") << "-1"
                                       << "513" << 0;
}

void TestFontProperties::impossibleSizesLeaveTheFont()
{
    QFETCH(QString, height);
    QFETCH(QString, size);
    QFETCH(int, points);
    TextDocument text;
    TextView control(&text);
    FontProperties font(&control);
    QCOMPARE(control.logicalDpiY(), 96);
    const double designed = control.textFont().pointSizeF();
    QMap<QString, QString> values{{"mmoMemo_FontHeight", height},
                                  {"mmoMemo_FontSize", size},
                                  {"mmoMemo_FontName", "DejaVu Sans Mono"}};
    storageFor(values, &font).LoadObjectProperties();
    QCOMPARE(control.textFont().pointSizeF(), points ? double(points) : designed);
    QCOMPARE(control.textFont().family(), QStringLiteral("DejaVu Sans Mono"));
    // What is written back is the size the font has.
    storageFor(values, &font).StoreObjectProperties();
    QCOMPARE(values["mmoMemo_FontSize"].toInt(), font.size());
    QCOMPARE(values["mmoMemo_FontHeight"].toInt(), font.height());
    QVERIFY(font.size() >= 1 && font.size() <= 512);
}

QTEST_MAIN(TestFontProperties)
#include "tst_fontproperties.moc"
