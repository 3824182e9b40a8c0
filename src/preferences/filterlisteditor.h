#pragma once

#include <QString>
#include <QStringList>

class ValueLabel;

// The Open/Save filter editor of the Preferences dialog without its widgets: the rows of the
// filter string, the page's state and what each control shows in it. The default filter index
// lives in the frame's label ("lblFilter", 1-based decimal text) and changes at once.
class FilterListEditor
{
public:
    enum class State { Idle, Selected, Adding, Editing };
    enum class DeleteCheck { NoRow, Protected, Ask };

    static constexpr int kMaxFilters = 255;
    static constexpr int kMaxText = 254;
    static const QString ProtectedRow;
    static const QString NewDescription;
    static const QString NewPattern;

    explicit FilterListEditor(ValueLabel &defaultIndex);

    // One row per pair of the filter string (DialogFilter::splitPairs); the page goes idle.
    void FillFilterList(const QString &filter);
    const QStringList &rows() const { return m_rows; }
    const QStringList &FilterDescriptions() const { return m_descriptions; }
    const QStringList &FilterPatterns() const { return m_patterns; }
    // The rows joined by "|": what Close stores.
    QString filterString() const { return m_rows.join(u'|'); }

    State state() const { return m_state; }
    int selectedRow() const { return m_selected; }
    bool NewFilterMode() const { return m_newFilterMode; }
    QString defaultIndexText() const;

    // What the page's controls show in the current state.
    bool newVisible() const { return m_state == State::Idle; }
    bool newEnabled() const { return m_rows.size() < kMaxFilters; }
    bool canVisible() const { return !newVisible(); }
    bool addEnabled() const { return m_state == State::Adding || m_state == State::Editing; }
    QString addText() const;
    bool editEnabled() const { return m_state == State::Selected; }
    bool deleteEnabled() const { return m_state == State::Selected; }
    bool editsVisible() const { return addEnabled(); }
    bool setDefaultEnabled() const { return m_state != State::Idle; }
    bool setDefaultChecked() const { return m_setDefault; }
    // The texts the edits are given; while hidden they keep the last ones.
    QString description() const { return m_description; }
    QString pattern() const { return m_pattern; }
    // How long an edit's text may grow: the limit, or the text already there if longer.
    int maxDescriptionLength() const;
    int maxPatternLength() const;

    // A row was selected; a row out of range does nothing.
    void lstFiltersClick(int row);
    void btnNewClick();
    // Edit, or a double-click on the list; without a selected row nothing happens.
    void btnEditClick();
    // Add or Update with the edits' texts; false (nothing changed) when they are refused.
    bool btnAddClick(const QString &description, const QString &pattern);
    // The first half of Delete: whether to refuse or to ask.
    DeleteCheck btnDeleteClick();
    // The answer to the delete question.
    void deleteAnswered(bool yes);
    void btnCanClick();
    // The "Set as Default Filter" box changed, by the user or by the program.
    void chkSetDefaultClick(bool checked);

private:
    void goIdle();
    void tickWhenDefault(int row);
    bool acceptable(const QString &text, const QString &refused, int maxLength) const;
    void setDefaultIndex(int index);

    ValueLabel &m_defaultIndex;
    QStringList m_rows;
    QStringList m_descriptions;
    QStringList m_patterns;
    State m_state = State::Idle;
    int m_selected = -1;
    bool m_newFilterMode = false;
    bool m_setDefault = false;
    QString m_description;
    QString m_pattern;
};
