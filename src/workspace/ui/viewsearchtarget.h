#pragma once

#include "workspace/searchtarget.h"

class TextView;

// The Workspace's view and its document as the search sees them: the search reads the
// document, selects in the view and edits through the document's undo steps.
class ViewSearchTarget : public SearchTarget
{
public:
    explicit ViewSearchTarget(TextView *view);

    const TextStorage &text() const override;
    qsizetype selectionStart() const override;
    qsizetype selectionLength() const override;
    void setSelection(qsizetype start, qsizetype length) override;
    void replaceRange(qsizetype start, qsizetype length, const QString &text) override;
    void replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                            const QString &text) override;
    // The hit keeps its mark while the user goes on, until the text is loaded anew.
    void markFound(qsizetype start, qsizetype length) override;

private:
    TextView *m_view;
};
