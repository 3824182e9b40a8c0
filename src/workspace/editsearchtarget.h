#pragma once

#include "workspace/searchtarget.h"

#include <QObject>

class EditControl;

// The Workspace's edit control as the search sees it. The text revision goes up with every
// change of the text and when a load finishes, so the search copies the text again only then.
class EditSearchTarget : public QObject, public SearchTarget
{
    Q_OBJECT

public:
    explicit EditSearchTarget(EditControl *edit, QObject *parent = nullptr);

    quint64 textRevision() const override { return m_revision; }
    qsizetype textLength() const override;
    QString text() const override;

    qsizetype selectionStart() const override;
    qsizetype selectionLength() const override;
    void setSelection(qsizetype start, qsizetype length) override;

    void replaceRange(qsizetype start, qsizetype length, const QString &text) override;
    bool replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                            const QString &text) override;

    // Colours the hit blue; the colour stays while the user goes on, until the text is loaded
    // anew.
    void markFound(qsizetype start, qsizetype length) override;

signals:
    // The text changed: a copy taken before is out of date.
    void textRevised();

private:
    EditControl *m_edit;
    quint64 m_revision = 1;
};
