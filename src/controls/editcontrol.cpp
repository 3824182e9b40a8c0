#include "editcontrol.h"

#include "fontproperties.h"

EditControl::EditControl(QWidget *parent)
    : QWidget(parent)
    , m_fontProperties(new FontProperties(this))
{ }

QObject *EditControl::fontProperties() const
{
    return m_fontProperties;
}
