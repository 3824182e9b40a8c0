#include "tfnpcol.h"

TFnpCol::TFnpCol(QObject *parent)
    : QObject(parent)
{ }

void TFnpCol::setAlignment(Qt::Alignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    Q_EMIT changed();
}

void TFnpCol::setOwnerDraw(bool ownerDraw)
{
    if (ownerDraw == m_ownerDraw)
        return;
    m_ownerDraw = ownerDraw;
    Q_EMIT changed();
}

void TFnpCol::setWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    Q_EMIT changed();
}

void TFnpCol::assign(const TFnpCol &other)
{
    const bool differs = m_alignment != other.m_alignment || m_ownerDraw != other.m_ownerDraw
            || m_width != other.m_width;
    m_alignment = other.m_alignment;
    m_ownerDraw = other.m_ownerDraw;
    m_width = other.m_width;
    if (differs)
        Q_EMIT changed();
}
