#pragma once

#include <QApplication>

// The application object: title and organisation, the last-resort error handler for event
// handlers, and the desktop's locale-change notice.
class LeafstackApplication : public QApplication
{
    Q_OBJECT

public:
    LeafstackApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

protected:
    bool event(QEvent *event) override;
};
