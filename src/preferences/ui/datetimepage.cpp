#include "datetimepage.h"

#include "base/valuelabel.h"
#include "format/dateformatter.h"
#include "format/datetimeformats.h"
#include "format/localnow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

#include <optional>

namespace {

int selectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.constFirst());
}

std::optional<QString> selectedText(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.constFirst()->text();
}

} // namespace

DateTimePage::DateTimePage(ValueLabel &date, ValueLabel &time, const Clock &clock, QWidget *parent)
    : QWidget(parent)
    , m_date(date)
    , m_time(time)
    , m_clock(clock)
    , m_lstDate(makeList("lstDate"))
    , m_lstTime(makeList("lstTime"))
    , m_preview(new QLabel(this))
    , m_chkDefault(new QCheckBox(QStringLiteral("Set Default"), this))
{
    setObjectName(QStringLiteral("tabDate"));
    auto *dateCaption = new QLabel(QStringLiteral("Date Formats"), this);
    dateCaption->setObjectName(QStringLiteral("lblAvailable"));
    auto *timeCaption = new QLabel(QStringLiteral("Time Formats"), this);
    timeCaption->setObjectName(QStringLiteral("lblTimeFormat"));
    m_preview->setObjectName(QStringLiteral("lblDateDisplay"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setMinimumHeight(28);
    m_chkDefault->setObjectName(QStringLiteral("chkDefault"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(dateCaption, 0, 0);
    grid->addWidget(timeCaption, 0, 1);
    grid->addWidget(m_lstDate, 1, 0);
    grid->addWidget(m_lstTime, 1, 1);
    grid->addWidget(m_preview, 2, 0, 1, 2);
    grid->addWidget(m_chkDefault, 3, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    connect(m_lstDate, &QListWidget::itemSelectionChanged, this, &DateTimePage::lstDateClick);
    connect(m_lstTime, &QListWidget::itemSelectionChanged, this, &DateTimePage::lstTimeClick);
    connect(m_chkDefault, &QCheckBox::toggled, this, &DateTimePage::chkDefaultClick);
}

QListWidget *DateTimePage::makeList(const char *name)
{
    auto *list = new QListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

void DateTimePage::fillList(QListWidget *list, const QStringList &formats)
{
    list->clear();
    // Each sample is of the moment it is made.
    for (const QString &format : formats)
        list->addItem(FormatDateText(format, LocalNow(m_clock)));
}

void DateTimePage::FillFormatLists()
{
    m_selecting = true;
    fillList(m_lstDate, DateTimeFormats::dateFormats());
    fillList(m_lstTime, DateTimeFormats::timeFormats());
    m_selecting = false;
    selectRows(DateTimeFormats::dateIndexFromText(m_date.caption()),
               DateTimeFormats::timeIndexFromText(m_time.caption()));
    updatePreview();
}

void DateTimePage::selectRows(int dateRow, int timeRow)
{
    m_selecting = true;
    m_lstDate->clearSelection();
    m_lstTime->clearSelection();
    if (QListWidgetItem *row = m_lstDate->item(dateRow))
        m_lstDate->setCurrentItem(row, QItemSelectionModel::ClearAndSelect);
    if (QListWidgetItem *row = m_lstTime->item(timeRow))
        m_lstTime->setCurrentItem(row, QItemSelectionModel::ClearAndSelect);
    m_selecting = false;
}

void DateTimePage::updatePreview()
{
    m_preview->setText(
            DateTimeFormats::joinStamp(selectedText(m_lstDate), selectedText(m_lstTime)));
}

void DateTimePage::storeChoice()
{
    m_date.setCaption(QString::number(selectedRow(m_lstDate)));
    m_time.setCaption(QString::number(selectedRow(m_lstTime)));
}

void DateTimePage::lstDateClick()
{
    if (m_selecting)
        return;
    updatePreview();
    m_chkDefault->setChecked(false);
    storeChoice();
}

void DateTimePage::lstTimeClick()
{
    lstDateClick();
}

void DateTimePage::chkDefaultClick(bool checked)
{
    if (!checked)
        return;
    selectRows(DateTimeFormats::kDefaultDateIndex, DateTimeFormats::kDefaultTimeIndex);
    updatePreview();
    storeChoice();
}

void DateTimePage::commit()
{
    m_time.setCaption(QString::number(selectedRow(m_lstTime)));
}
