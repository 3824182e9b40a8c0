#pragma once

#include <QMimeData>
#include <QPointer>

class TextDocument;

// A selection offered as the X11 primary selection. A small one is copied at once; a large
// one is read from the document only when some program asks, and only while the document is
// as it was when offered (otherwise it offers no text): selecting all of a big file costs
// nothing until it is pasted.
class TextSelectionMime : public QMimeData
{
    Q_OBJECT

public:
    static constexpr qsizetype kCopyLimit = 1 << 20;

    TextSelectionMime(const TextDocument *document, qsizetype start, qsizetype length);

    bool hasFormat(const QString &mimeType) const override;
    QStringList formats() const override;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    QPointer<const TextDocument> m_document;
    qsizetype m_start;
    qsizetype m_length;
    quint64 m_revision;
    QString m_copy;
    bool m_copied = false;
};
