#include "base/valuelabel.h"
#include "preferences/filterlisteditor.h"

#include <QTest>

using State = FilterListEditor::State;

namespace {

const QString kDesignFilter = QStringLiteral(
        "Text Files (*.TXT)|*.txt|Initialization Files (*.INI)|*.ini|HTML Files (*.HTM)|*.htm|"
        "All Files (*.*)|*.*");

// What the page shows, one letter per control, for comparing whole states at once:
// New, Cancel, Add, Edit, Delete, edits, Set Default enabled, Set Default ticked.
QString controls(const FilterListEditor &e)
{
    const auto flag = [](bool on, char c) {
        return on ? QChar(c) : QChar(u'-');
    };
    QString s;
    s += flag(e.newVisible(), 'N');
    s += flag(e.canVisible(), 'C');
    s += flag(e.addEnabled(), 'A');
    s += flag(e.editEnabled(), 'E');
    s += flag(e.deleteEnabled(), 'D');
    s += flag(e.editsVisible(), 'T');
    s += flag(e.setDefaultEnabled(), 'S');
    s += flag(e.setDefaultChecked(), 'X');
    return s;
}

} // namespace

class TestFilterListEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void fill_data();
    void fill();
    void states();
    void newThenAddIsRefused();
    void entryChecks_data();
    void entryChecks();
    void addAsDefaultGoesToTheEnd();
    void editReplacesTheRow();
    void deleting();
    void protectedRow();
    void defaultTickedWhileAdding();
    void listLimit();
    void longStoredTextCanBeEditedWithoutLoss();

private:
    ValueLabel m_label{QStringLiteral("lblFilter"), QStringLiteral("1"), nullptr};
};

void TestFilterListEditor::init()
{
    m_label.setCaption(QStringLiteral("1"));
}

void TestFilterListEditor::fill_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("design") << kDesignFilter
                            << QStringList{"Text Files (*.TXT)|*.txt",
                                           "Initialization Files (*.INI)|*.ini",
                                           "HTML Files (*.HTM)|*.htm", "All Files (*.*)|*.*"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("description without pattern")
            << "Text|*.txt|Dangling|" << QStringList{"Text|*.txt", "Dangling|"};
    QTest::newRow("last element alone is a pattern")
            << "Text|*.txt|Dangling" << QStringList{"Text|*.txt", "|Dangling"};
    QTest::newRow("trailing bar") << "Text|*.txt|" << QStringList{"Text|*.txt"};
    QTest::newRow("no bar at all") << "*.txt" << QStringList{"|*.txt"};
    QTest::newRow("leading bar") << "|*.txt" << QStringList{"|*.txt"};
    QTest::newRow("single bar") << "|" << QStringList{"|"};
    QTest::newRow("empty pattern inside") << "a||b" << QStringList{"a|", "|b"};
    QTest::newRow("several patterns") << "Web|*.htm;*.html" << QStringList{"Web|*.htm;*.html"};
    QTest::newRow("bars only") << "|||" << QStringList{"|", "|"};
}

void TestFilterListEditor::fill()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, rows);
    FilterListEditor editor(m_label);
    editor.FillFilterList(QStringLiteral("Old|*.old"));
    editor.lstFiltersClick(0);
    editor.FillFilterList(filter);
    QCOMPARE(editor.rows(), rows);
    QCOMPARE(editor.FilterDescriptions().size(), rows.size());
    QCOMPARE(editor.FilterPatterns().size(), rows.size());
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(editor.FilterDescriptions()[i] + "|" + editor.FilterPatterns()[i], rows[i]);
    QCOMPARE(editor.state(), State::Idle);
    QCOMPARE(editor.selectedRow(), -1);
    // Close with the design-time list stores the design-time string unchanged.
    if (filter == kDesignFilter)
        QCOMPARE(editor.filterString(), kDesignFilter);
}

void TestFilterListEditor::states()
{
    FilterListEditor editor(m_label);
    editor.FillFilterList(kDesignFilter);
    QCOMPARE(controls(editor), "N-------");

    editor.lstFiltersClick(1);
    QCOMPARE(editor.state(), State::Selected);
    QCOMPARE(controls(editor), "-C-ED-S-");
    QCOMPARE(editor.description(), QString());

    editor.lstFiltersClick(0); // the default row
    QCOMPARE(controls(editor), "-C-ED-SX");

    editor.btnEditClick();
    QCOMPARE(editor.state(), State::Editing);
    QCOMPARE(editor.NewFilterMode(), false);
    QCOMPARE(controls(editor), "-CA--TSX");
    QCOMPARE(editor.addText(), "Update");
    QCOMPARE(editor.description(), "Text Files (*.TXT)");
    QCOMPARE(editor.pattern(), "*.txt");

    editor.btnCanClick();
    QCOMPARE(controls(editor), "N-------");
    QCOMPARE(editor.selectedRow(), -1);
    editor.btnEditClick(); // a double-click with no row selected
    QCOMPARE(editor.state(), State::Idle);

    editor.btnNewClick();
    QCOMPARE(editor.state(), State::Adding);
    QCOMPARE(editor.NewFilterMode(), true);
    QCOMPARE(controls(editor), "-CA--TS-");
    QCOMPARE(editor.addText(), "Add");
    QCOMPARE(editor.description(), "All Files (*.*)");
    QCOMPARE(editor.pattern(), "*.*");

    // Selecting a row abandons the entry.
    editor.lstFiltersClick(2);
    QCOMPARE(controls(editor), "-C-ED-S-");
    QCOMPARE(editor.pattern(), QString());
    editor.lstFiltersClick(7); // no such row
    QCOMPARE(editor.selectedRow(), 2);
    QCOMPARE(editor.rows().size(), 4);
    QCOMPARE(m_label.caption(), "1");
}

void TestFilterListEditor::newThenAddIsRefused()
{
    FilterListEditor editor(m_label);
    editor.FillFilterList(kDesignFilter);
    editor.btnNewClick();
    QVERIFY(!editor.btnAddClick(editor.description(), editor.pattern()));
    QCOMPARE(editor.state(), State::Adding);
    QCOMPARE(editor.filterString(), kDesignFilter);
}

void TestFilterListEditor::entryChecks_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("new values") << "C Sources"
                                << "*.c;*.h" << true;
    QTest::newRow("no description") << ""
                                    << "*.c" << false;
    QTest::newRow("no pattern") << "C"
                                << "" << false;
    QTest::newRow("proposed description") << "All Files (*.*)"
                                          << "*.c" << false;
    QTest::newRow("proposed pattern") << "C"
                                      << "*.*" << false;
    QTest::newRow("comparison keeps case") << "all files (*.*)"
                                           << "*.C" << true;
    QTest::newRow("bar in description") << "C|D"
                                        << "*.c" << false;
    QTest::newRow("bar in pattern") << "C"
                                    << "*.c|*.h" << false;
    QTest::newRow("254 characters") << QString(254, u'd') << QString(254, u'p') << true;
    QTest::newRow("255 characters") << QString(255, u'd') << "*.c" << false;
}

void TestFilterListEditor::entryChecks()
{
    QFETCH(QString, description);
    QFETCH(QString, pattern);
    QFETCH(bool, accepted);
    for (bool adding : {true, false}) {
        FilterListEditor editor(m_label);
        editor.FillFilterList(kDesignFilter);
        if (adding) {
            editor.btnNewClick();
        } else {
            editor.lstFiltersClick(1);
            editor.btnEditClick();
        }
        QCOMPARE(editor.btnAddClick(description, pattern), accepted);
        QCOMPARE(editor.rows().contains(description + "|" + pattern), accepted);
        QCOMPARE(editor.state(),
                 accepted ? State::Idle : (adding ? State::Adding : State::Editing));
    }
}

void TestFilterListEditor::addAsDefaultGoesToTheEnd()
{
    FilterListEditor editor(m_label);
    editor.FillFilterList(kDesignFilter);
    editor.btnNewClick();
    editor.chkSetDefaultClick(true);
    QCOMPARE(m_label.caption(), "0"); // no row selected: stored at once
    QVERIFY(editor.btnAddClick("C Sources", "*.c"));
    QCOMPARE(m_label.caption(), "5");
    QCOMPARE(editor.rows().last(), "C Sources|*.c");
    QCOMPARE(editor.filterString(), kDesignFilter + "|C Sources|*.c");
    QCOMPARE(controls(editor), "N-------");

    // Without the tick the default stays where it is.
    editor.btnNewClick();
    QVERIFY(editor.btnAddClick("Logs", "*.log"));
    QCOMPARE(m_label.caption(), "5");
}

void TestFilterListEditor::editReplacesTheRow()
{
    FilterListEditor editor(m_label);
    editor.FillFilterList(kDesignFilter);
    editor.lstFiltersClick(2);
    editor.btnEditClick();
    editor.chkSetDefaultClick(true);
    QCOMPARE(m_label.caption(), "3");
    QVERIFY(editor.btnAddClick("Web Pages", "*.htm;*.html"));
    QCOMPARE(editor.rows()[2], "Web Pages|*.htm;*.html");
    QCOMPARE(editor.FilterDescriptions()[2], "Web Pages");
    QCOMPARE(editor.FilterPatterns()[2], "*.htm;*.html");
    QCOMPARE(editor.rows().size(), 4);

    // Editing the protected row into another text lifts its protection.
    editor.lstFiltersClick(3);
    editor.btnEditClick();
    QVERIFY(editor.btnAddClick("Everything", "*"));
    editor.lstFiltersClick(3);
    QCOMPARE(editor.btnDeleteClick(), FilterListEditor::DeleteCheck::Ask);
}

void TestFilterListEditor::deleting()
{
    FilterListEditor editor(m_label);
    editor.FillFilterList(kDesignFilter);
    m_label.setCaption("3");

    // A row before the default: the number stays and now names the next filter.
    editor.lstFiltersClick(0);
    QCOMPARE(editor.btnDeleteClick(), FilterListEditor::DeleteCheck::Ask);
    editor.deleteAnswered(true);
    QCOMPARE(m_label.caption(), "3");
    QCOMPARE(editor.rows().size(), 3);
    QCOMPARE(editor.FilterPatterns(), (QStringList{"*.ini", "*.htm", "*.*"}));
    QCOMPARE(controls(editor), "N-------");
    QCOMPARE(editor.selectedRow(), -1);

    // Answering No keeps the row and its selection; the page is idle again.
    editor.lstFiltersClick(1);
    editor.deleteAnswered(false);
    QCOMPARE(editor.rows().size(), 3);
    QCOMPARE(editor.selectedRow(), 1);
    QCOMPARE(controls(editor), "N-------");

    // The default row itself: the default goes back to the first filter.
    m_label.setCaption("2");
    editor.lstFiltersClick(1);
    editor.deleteAnswered(true);
    QCOMPARE(m_label.caption(), "1");
    QCOMPARE(editor.rows(),
             (QStringList{"Initialization Files (*.INI)|*.ini", FilterListEditor::ProtectedRow}));

    editor.lstFiltersClick(0);
    editor.deleteAnswered(true);
    QCOMPARE(editor.filterString(), "All Files (*.*)|*.*");
    QCOMPARE(editor.btnDeleteClick(), FilterListEditor::DeleteCheck::NoRow);
}

void TestFilterListEditor::protectedRow()
{
    FilterListEditor editor(m_label);
    editor.FillFilterList(kDesignFilter);
    editor.lstFiltersClick(3);
    QCOMPARE(editor.btnDeleteClick(), FilterListEditor::DeleteCheck::Protected);
    QCOMPARE(editor.state(), State::Selected);
    QCOMPARE(editor.rows().size(), 4);

    // Emptied down to nothing, the list is stored as the empty string.
    editor.lstFiltersClick(3);
    editor.btnEditClick();
    QVERIFY(editor.btnAddClick("Any", "*"));
    for (int i = 3; i >= 0; --i) {
        editor.lstFiltersClick(i);
        QCOMPARE(editor.btnDeleteClick(), FilterListEditor::DeleteCheck::Ask);
        editor.deleteAnswered(true);
    }
    QCOMPARE(editor.filterString(), QString());
}

void TestFilterListEditor::defaultTickedWhileAdding()
{
    FilterListEditor editor(m_label);
    editor.FillFilterList(kDesignFilter);
    editor.lstFiltersClick(1);
    editor.deleteAnswered(false); // row 1 stays selected
    editor.btnNewClick();
    editor.chkSetDefaultClick(true);
    QCOMPARE(m_label.caption(), "2");
    editor.btnCanClick();
    QCOMPARE(m_label.caption(), "2"); // a choice taken at once stays

    editor.lstFiltersClick(1);
    editor.deleteAnswered(false);
    editor.btnNewClick();
    editor.chkSetDefaultClick(true);
    editor.chkSetDefaultClick(false); // clearing changes nothing
    QCOMPARE(m_label.caption(), "2");
    editor.chkSetDefaultClick(true);
    QVERIFY(editor.btnAddClick("C", "*.c"));
    QCOMPARE(m_label.caption(), "5");
}

void TestFilterListEditor::listLimit()
{
    QStringList pairs;
    for (int i = 0; i < FilterListEditor::kMaxFilters - 1; ++i)
        pairs << QStringLiteral("F%1").arg(i) << QStringLiteral("*.%1").arg(i);
    FilterListEditor editor(m_label);
    editor.FillFilterList(pairs.join(u'|'));
    QVERIFY(editor.newEnabled());
    editor.btnNewClick();
    QVERIFY(editor.btnAddClick("Last", "*.last"));
    QCOMPARE(editor.rows().size(), FilterListEditor::kMaxFilters);
    QVERIFY(!editor.newEnabled());
    editor.btnNewClick();
    QCOMPARE(editor.state(), State::Idle);

    // A longer stored list is kept whole.
    pairs << "More"
          << "*.more"
          << "Most"
          << "*.most";
    editor.FillFilterList(pairs.join(u'|'));
    QCOMPARE(editor.rows().size(), FilterListEditor::kMaxFilters + 1);
    QCOMPARE(editor.filterString(), pairs.join(u'|'));
}

void TestFilterListEditor::longStoredTextCanBeEditedWithoutLoss()
{
    const QString longPattern = QString(300, u'p');
    FilterListEditor editor(m_label);
    editor.FillFilterList("Long|" + longPattern);
    editor.lstFiltersClick(0);
    editor.btnEditClick();
    QCOMPARE(editor.maxPatternLength(), 300);
    QCOMPARE(editor.maxDescriptionLength(), FilterListEditor::kMaxText);
    QVERIFY(editor.btnAddClick("Longer", longPattern));
    QCOMPARE(editor.rows(), QStringList{"Longer|" + longPattern});
    editor.btnNewClick();
    QCOMPARE(editor.maxPatternLength(), FilterListEditor::kMaxText);
    QVERIFY(!editor.btnAddClick("Other", longPattern));
}

QTEST_GUILESS_MAIN(TestFilterListEditor)
#include "tst_filterlisteditor.moc"
