#pragma once

#include <QString>

class OpenDialogSettings;
class QWidget;

// The Open dialog: starts in the remembered folder with the remembered filter, and remembers
// the folder and filter of the file chosen.
namespace OpenFileChooser {

// The file chosen, or an empty string when the dialog was cancelled. filterIndexText is the
// default filter's 1-based place as the frame keeps it.
QString choose(QWidget *parent, OpenDialogSettings &remembered, const QString &filterIndexText);

} // namespace OpenFileChooser
