#pragma once

#include <QWidget>

class Clock;
class QCheckBox;
class QLabel;
class QListWidget;
class ValueLabel;

// The "Date & Time" page of the Preferences dialog: samples of now in each stamp format, the
// chosen pair previewed. A choice takes effect the moment it is made: it goes straight into the
// frame's labels ("lblDate", "lblTime"), which every Workspace reads for its stamp.
class DateTimePage : public QWidget
{
    Q_OBJECT

public:
    DateTimePage(ValueLabel &date, ValueLabel &time, const Clock &clock, QWidget *parent);

    QListWidget *lstDate() const { return m_lstDate; }
    QListWidget *lstTime() const { return m_lstTime; }
    QLabel *lblDateDisplay() const { return m_preview; }
    QCheckBox *chkDefault() const { return m_chkDefault; }

    void FillFormatLists();
    // Close: the time list's row is the time choice.
    void commit();

public slots:
    void lstDateClick();
    void lstTimeClick();
    void chkDefaultClick(bool checked);

private:
    QListWidget *makeList(const char *name);
    void fillList(QListWidget *list, const QStringList &formats);
    void selectRows(int dateRow, int timeRow);
    void updatePreview();
    void storeChoice();

    ValueLabel &m_date;
    ValueLabel &m_time;
    const Clock &m_clock;
    QListWidget *m_lstDate;
    QListWidget *m_lstTime;
    QLabel *m_preview;
    QCheckBox *m_chkDefault;
    bool m_selecting = false;
};
