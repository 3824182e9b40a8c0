#include "filterlisteditor.h"

#include "base/dialogfilter.h"
#include "base/valuelabel.h"

const QString FilterListEditor::ProtectedRow = QStringLiteral("All Files (*.*)|*.*");
const QString FilterListEditor::NewDescription = QStringLiteral("All Files (*.*)");
const QString FilterListEditor::NewPattern = QStringLiteral("*.*");

FilterListEditor::FilterListEditor(ValueLabel &defaultIndex)
    : m_defaultIndex(defaultIndex)
{ }

void FilterListEditor::FillFilterList(const QString &filter)
{
    goIdle();
    m_selected = -1;
    DialogFilter::splitPairs(filter, m_descriptions, m_patterns);
    m_rows.clear();
    for (qsizetype i = 0; i < m_descriptions.size(); ++i)
        m_rows.append(m_descriptions[i] + u'|' + m_patterns[i]);
}

QString FilterListEditor::defaultIndexText() const
{
    return m_defaultIndex.caption();
}

QString FilterListEditor::addText() const
{
    return m_state == State::Editing ? QStringLiteral("Update") : QStringLiteral("Add");
}

int FilterListEditor::maxDescriptionLength() const
{
    if (m_state != State::Editing)
        return kMaxText;
    return qMax(kMaxText, int(m_descriptions.value(m_selected).size()));
}

int FilterListEditor::maxPatternLength() const
{
    if (m_state != State::Editing)
        return kMaxText;
    return qMax(kMaxText, int(m_patterns.value(m_selected).size()));
}

void FilterListEditor::lstFiltersClick(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_selected = row;
    m_state = State::Selected;
    m_description.clear();
    m_pattern.clear();
    chkSetDefaultClick(false);
    tickWhenDefault(row);
}

void FilterListEditor::btnNewClick()
{
    if (!newEnabled())
        return;
    m_newFilterMode = true;
    m_state = State::Adding;
    m_description = NewDescription;
    m_pattern = NewPattern;
}

void FilterListEditor::btnEditClick()
{
    if (m_selected < 0 || m_selected >= m_rows.size())
        return;
    m_newFilterMode = false;
    m_state = State::Editing;
    m_pattern = m_patterns[m_selected];
    m_description = m_descriptions[m_selected];
    tickWhenDefault(m_selected);
}

bool FilterListEditor::btnAddClick(const QString &description, const QString &pattern)
{
    if (!addEnabled() || !acceptable(description, NewDescription, maxDescriptionLength())
        || !acceptable(pattern, NewPattern, maxPatternLength()))
        return false;
    const QString row = description + u'|' + pattern;
    if (m_newFilterMode) {
        if (m_rows.size() >= kMaxFilters)
            return false;
        if (m_setDefault)
            setDefaultIndex(int(m_rows.size()) + 1);
        m_descriptions.append(description);
        m_patterns.append(pattern);
        m_rows.append(row);
    } else {
        if (m_setDefault)
            setDefaultIndex(m_selected + 1);
        m_descriptions[m_selected] = description;
        m_patterns[m_selected] = pattern;
        m_rows[m_selected] = row;
    }
    m_description = description;
    m_pattern = pattern;
    goIdle();
    return true;
}

FilterListEditor::DeleteCheck FilterListEditor::btnDeleteClick()
{
    if (m_selected < 0 || m_selected >= m_rows.size())
        return DeleteCheck::NoRow;
    if (m_rows[m_selected] == ProtectedRow)
        return DeleteCheck::Protected;
    return DeleteCheck::Ask;
}

void FilterListEditor::deleteAnswered(bool yes)
{
    if (yes && m_selected >= 0 && m_selected < m_rows.size()) {
        if (m_defaultIndex.caption() == QString::number(m_selected + 1))
            m_defaultIndex.setCaption(QStringLiteral("1"));
        m_patterns.removeAt(m_selected);
        m_descriptions.removeAt(m_selected);
        m_rows.removeAt(m_selected);
        m_selected = -1;
    }
    goIdle();
}

void FilterListEditor::btnCanClick()
{
    goIdle();
    m_selected = -1;
}

void FilterListEditor::chkSetDefaultClick(bool checked)
{
    m_setDefault = checked;
    if (checked)
        setDefaultIndex(m_selected + 1);
}

void FilterListEditor::goIdle()
{
    m_state = State::Idle;
    chkSetDefaultClick(false);
}

void FilterListEditor::tickWhenDefault(int row)
{
    bool ok = false;
    const int index = m_defaultIndex.caption().toInt(&ok, 10);
    if (ok && index == row + 1)
        chkSetDefaultClick(true);
}

bool FilterListEditor::acceptable(const QString &text, const QString &refused, int maxLength) const
{
    // A "|" would split the entry in two when the filter string is read back.
    return !text.isEmpty() && text != refused && text.size() <= maxLength && !text.contains(u'|');
}

void FilterListEditor::setDefaultIndex(int index)
{
    m_defaultIndex.setCaption(QString::number(index));
}
