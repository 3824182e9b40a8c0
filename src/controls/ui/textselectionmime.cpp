#include "textselectionmime.h"

#include "controls/textdocument.h"

namespace {

const QString kPlain = QStringLiteral("text/plain");

} // namespace

TextSelectionMime::TextSelectionMime(const TextDocument *document, qsizetype start,
                                     qsizetype length)
    : m_document(document)
    , m_start(start)
    , m_length(length)
    , m_revision(document->revision())
{
    if (length <= kCopyLimit) {
        m_copy = document->text(start, length);
        m_copied = true;
    }
}

bool TextSelectionMime::hasFormat(const QString &mimeType) const
{
    return mimeType == kPlain;
}

QStringList TextSelectionMime::formats() const
{
    return {kPlain};
}

QVariant TextSelectionMime::retrieveData(const QString &mimeType, QMetaType type) const
{
    Q_UNUSED(type);
    if (mimeType != kPlain)
        return QVariant();
    if (m_copied)
        return m_copy;
    if (!m_document || m_document->revision() != m_revision)
        return QString();
    return m_document->text(m_start, m_length);
}
