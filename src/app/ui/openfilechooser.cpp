#include "openfilechooser.h"

#include "base/dialogfilter.h"
#include "base/opendialogsettings.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

// The 1-based place of the chosen filter; the dialog reports it without its patterns.
int selectedFilterIndex(const QStringList &filters, const QString &selected)
{
    for (int i = 0; i < filters.size(); ++i) {
        const QString &filter = filters.at(i);
        if (filter == selected || filter.startsWith(selected + QStringLiteral(" (")))
            return i + 1;
    }
    return 1;
}

} // namespace

namespace OpenFileChooser {

QString choose(QWidget *parent, OpenDialogSettings &remembered, const QString &filterIndexText)
{
    const QStringList filters = DialogFilter::toNameFilters(remembered.filter());
    remembered.setFilterIndex(DialogFilter::indexFromText(filterIndexText));
    QFileDialog dialog(parent, QStringLiteral("Open"), remembered.initialDir());
    dialog.setObjectName(QStringLiteral("dlgOpenFile"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    if (remembered.filterIndex() >= 1 && remembered.filterIndex() <= filters.size())
        dialog.selectNameFilter(filters.at(remembered.filterIndex() - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    remembered.setFilterIndex(selectedFilterIndex(filters, dialog.selectedNameFilter()));
    const QString file = dialog.selectedFiles().constFirst();
    remembered.setInitialDir(QFileInfo(file).absolutePath());
    return file;
}

} // namespace OpenFileChooser
