#pragma once

#include "platform/systemfacts.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class TSpeedBar;

// The About box: the program's name, picture and version over a short report on the machine,
// closed from its tool bar. A window without a title bar, centred on the screen.
class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    using FactsSource = std::function<SystemFacts()>;

    // The machine's facts are read afresh each time the box becomes active.
    explicit TfrmAbout(
            QWidget *parent = nullptr, FactsSource facts = [] { return SystemFacts::read(); });

    QLabel *label(const char *name) const;
    TSpeedBar *toolBar() const { return m_bar; }
    QAction *closeAction() const { return m_close; }

public Q_SLOTS:
    void FormActivate();
    void btnOKClick();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLabel *makeLabel(const char *name, const QString &text = QString());
    QWidget *buildHeading();
    QWidget *buildReport();
    void buildToolBar();

    FactsSource m_facts;
    TSpeedBar *m_bar = nullptr;
    QAction *m_close = nullptr;
};
