#include "viewsearchtarget.h"

#include "controls/textdocument.h"
#include "controls/ui/textview.h"

ViewSearchTarget::ViewSearchTarget(TextView *view)
    : m_view(view)
{ }

const TextStorage &ViewSearchTarget::text() const
{
    return m_view->document()->storage();
}

qsizetype ViewSearchTarget::selectionStart() const
{
    return m_view->selectionStart();
}

qsizetype ViewSearchTarget::selectionLength() const
{
    return m_view->selectionLength();
}

void ViewSearchTarget::setSelection(qsizetype start, qsizetype length)
{
    m_view->setSelection(start, length);
}

void ViewSearchTarget::replaceRange(qsizetype start, qsizetype length, const QString &text)
{
    const TextSelection before = m_view->selection();
    m_view->document()->replace(start, length, text, before,
                                TextSelection::caret(start + text.size()));
}

void ViewSearchTarget::replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                                          const QString &text)
{
    if (starts.isEmpty())
        return;
    const qsizetype end = starts.last() + length + starts.size() * (text.size() - length);
    m_view->document()->replaceAll(starts, length, text, m_view->selection(),
                                   TextSelection::caret(end));
}

void ViewSearchTarget::markFound(qsizetype start, qsizetype length)
{
    m_view->document()->addHighlight(start, length);
}
