#include "sharedoptions.h"

#include "base/opendialogsettings.h"
#include "base/valuelabel.h"

namespace {
// Stores the new value and says whether it was one.
template<typename T>
bool changeTo(T &value, const T &newValue)
{
    if (value == newValue)
        return false;
    value = newValue;
    return true;
}
} // namespace

SharedOptions::SharedOptions(QObject *parent)
    : QObject(parent)
{ }

void SharedOptions::setAutomaticBackups(bool on)
{
    if (changeTo(m_backups, on))
        Q_EMIT automaticBackupsChanged(on);
}

void SharedOptions::setFilterString(const QString &filter)
{
    if (changeTo(m_filter, filter))
        Q_EMIT filterStringChanged(filter);
}

void SharedOptions::setFilterIndexText(const QString &text)
{
    if (changeTo(m_filterIndex, text))
        Q_EMIT filterIndexTextChanged(text);
}

void SharedOptions::setOpenDirectory(const QString &folder)
{
    if (changeTo(m_openDirectory, folder))
        Q_EMIT openDirectoryChanged(folder);
}

void SharedOptions::setDateIndexText(const QString &text)
{
    if (changeTo(m_dateIndex, text))
        Q_EMIT dateIndexTextChanged(text);
}

void SharedOptions::setTimeIndexText(const QString &text)
{
    if (changeTo(m_timeIndex, text))
        Q_EMIT timeIndexTextChanged(text);
}

void SharedOptions::follow(OpenDialogSettings *openDialog, ValueLabel *filterIndex,
                           ValueLabel *dateIndex, ValueLabel *timeIndex)
{
    // Unchanged values do not signal, so the two directions never chase each other.
    setOpenDirectory(openDialog->initialDir());
    setFilterString(openDialog->filter());
    connect(openDialog, &OpenDialogSettings::initialDirChanged, this,
            &SharedOptions::setOpenDirectory);
    connect(openDialog, &OpenDialogSettings::filterChanged, this, &SharedOptions::setFilterString);
    connect(this, &SharedOptions::openDirectoryChanged, openDialog,
            &OpenDialogSettings::setInitialDir);
    connect(this, &SharedOptions::filterStringChanged, openDialog, &OpenDialogSettings::setFilter);
    followLabel(filterIndex, &SharedOptions::setFilterIndexText,
                &SharedOptions::filterIndexTextChanged);
    followLabel(dateIndex, &SharedOptions::setDateIndexText, &SharedOptions::dateIndexTextChanged);
    followLabel(timeIndex, &SharedOptions::setTimeIndexText, &SharedOptions::timeIndexTextChanged);
}

void SharedOptions::followLabel(ValueLabel *label, void (SharedOptions::*set)(const QString &),
                                void (SharedOptions::*changed)(const QString &))
{
    (this->*set)(label->caption());
    connect(label, &ValueLabel::captionChanged, this, set);
    connect(this, changed, label, &ValueLabel::setCaption);
}
