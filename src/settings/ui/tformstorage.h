#pragma once

#include "settings/storedpropslist.h"
#include "tformplacement.h"

// A form placement that also keeps a list of the form's component properties
// ("mniButtonHints.Checked", "mmoMemo.Font") in the form's section.
class TFormStorage : public TFormPlacement
{
    Q_OBJECT

public:
    TFormStorage(QWidget *form, SettingsStore *store);

    // Replaces the list and resolves its entries against the form's named children.
    void setStoredProps(const QStringList &entries);
    QStringList StoredProps() const { return m_props.entries(); }
    // The entries that name no component or property of the form.
    const QStringList &missingStoredProps() const { return m_props.missing(); }

protected:
    void saveProperties() override;
    void loadProperties() override;

private:
    StoredPropsList m_props;
};
