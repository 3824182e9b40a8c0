#include "buttonhints.h"

#include <QApplication>
#include <QEvent>
#include <QToolTip>

ButtonHints::ButtonHints(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

ButtonHints::~ButtonHints()
{
    qApp->removeEventFilter(this);
}

void ButtonHints::setOn(bool on)
{
    m_on = on;
    if (!on)
        QToolTip::hideText();
}

bool ButtonHints::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_on && event->type() == QEvent::ToolTip)
        return true;
    return QObject::eventFilter(watched, event);
}
