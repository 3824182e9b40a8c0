#include "tspeedbarsection.h"

#include "toolbar/espeedbarerror.h"
#include "tspeedbar.h"
#include "tspeeditem.h"

TSpeedbarSection::TSpeedbarSection(TSpeedBar *bar, const QString &caption)
    : QObject(bar)
    , m_bar(bar)
    , m_caption(caption)
{ }

TSpeedbarSection::~TSpeedbarSection()
{
    // Each item leaves the list as it goes.
    while (!m_items.isEmpty())
        delete m_items.last();
}

void TSpeedbarSection::setCaption(const QString &caption)
{
    const TSpeedbarSection *other = m_bar->section(caption);
    if (other && other != this)
        throw ESpeedbarError(QStringLiteral("String list does not allow duplicates"));
    m_caption = caption;
}

int TSpeedbarSection::Index() const
{
    return int(m_bar->sections().indexOf(this));
}
