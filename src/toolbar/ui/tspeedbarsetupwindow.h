#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QListWidget;
class QPushButton;
class SpeedbarButtonList;
class TSpeedBar;

// "Customize Speedbar": the sections of one bar and the buttons each offers. A hidden button
// dragged from the list onto the bar shows there; while the window is open, buttons can be
// dragged along the bar or off it. Modeless and above other windows; one per bar.
class TSpeedbarSetupWindow : public QDialog
{
    Q_OBJECT

public:
    explicit TSpeedbarSetupWindow(TSpeedBar *bar);

    TSpeedBar *bar() const { return m_bar; }
    int helpContext() const { return m_helpContext; }
    // The Help button shows only for a context above 0.
    void setHelpContext(int context);

    QListWidget *SectionList() const { return m_sectionList; }
    SpeedbarButtonList *ButtonsList() const { return m_buttonsList; }
    QPushButton *CloseBtn() const { return m_closeBtn; }
    QPushButton *HelpBtn() const { return m_helpBtn; }

Q_SIGNALS:
    void helpRequested(int context);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillButtons();

    QPointer<TSpeedBar> m_bar;
    int m_helpContext = 0;
    bool m_placed = false;
    QLabel *m_categoriesLabel;
    QListWidget *m_sectionList;
    QLabel *m_buttonsLabel;
    SpeedbarButtonList *m_buttonsList;
    QLabel *m_hintLabel;
    QLabel *m_keysLabel;
    QPushButton *m_closeBtn;
    QPushButton *m_helpBtn;
};
