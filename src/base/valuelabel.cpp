#include "valuelabel.h"

ValueLabel::ValueLabel(const QString &name, const QString &caption, QObject *parent)
    : QObject(parent)
    , m_caption(caption)
{
    setObjectName(name);
}

void ValueLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Q_EMIT captionChanged(caption);
}
