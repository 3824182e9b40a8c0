#include "editsearchtarget.h"

#include "controls/editcontrol.h"
#include "controls/searchhitcolor.h"

EditSearchTarget::EditSearchTarget(EditControl *edit, QObject *parent)
    : QObject(parent)
    , m_edit(edit)
{
    const auto revise = [this]() {
        ++m_revision;
        emit textRevised();
    };
    connect(m_edit, &EditControl::textChanged, this, revise);
    connect(m_edit, &EditControl::loadFinished, this, revise);
}

qsizetype EditSearchTarget::textLength() const
{
    return m_edit->textLength();
}

QString EditSearchTarget::text() const
{
    return m_edit->plainText();
}

qsizetype EditSearchTarget::selectionStart() const
{
    return m_edit->selectionStart();
}

qsizetype EditSearchTarget::selectionLength() const
{
    return m_edit->selectionLength();
}

void EditSearchTarget::setSelection(qsizetype start, qsizetype length)
{
    m_edit->setSelection(start, length);
}

void EditSearchTarget::replaceRange(qsizetype start, qsizetype length, const QString &text)
{
    m_edit->replaceRanges({start}, length, text);
}

bool EditSearchTarget::replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                                          const QString &text)
{
    m_edit->replaceRanges(starts, length, text);
    return true;
}

void EditSearchTarget::markFound(qsizetype start, qsizetype length)
{
    // Only the letters take the colour; the background stays the control's.
    m_edit->setHighlight(start, length, SearchHitColor(m_edit->palette().color(QPalette::Base)),
                         QColor(Qt::transparent));
}
