#pragma once

#include "controls/textformat.h"
#include "platform/fileidentity.h"
#include "platform/unixfile.h"

#include <QString>

#include <memory>
#include <vector>

class TextDocument;

// A journal left behind by a Workspace that did not end normally, locked by this process while
// it is dealt with, so two copies of the program starting at once never both take it.
class RecoveryFile
{
public:
    enum class Base { Empty, File, None };

    // The journals in folder that no running process holds, oldest first.
    static std::vector<RecoveryFile> leftOver(const QString &folder);

    QString journalPath() const { return m_journalPath; }
    // Empty when the header could not be read; then error() says why.
    bool readable() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    // Whether anything was written after the header: a journal without edits holds nothing.
    bool holdsEdits() const { return m_holdsEdits; }
    // The file the text belongs to; empty for an untitled text.
    QString path() const { return m_path; }
    QString title() const { return m_title; }
    const TextFormat &format() const { return m_format; }

    // Puts the recovered text into document: the file's text as it was, then every edit kept.
    // Throws AppError when the file changed since or the journal cannot be read.
    void replayInto(TextDocument &document) const;
    // The text is safe elsewhere now: the journal goes.
    void remove();

private:
    void readHeader();

    QString m_journalPath;
    std::shared_ptr<UnixFile> m_file;
    QString m_error;
    QString m_path;
    QString m_title;
    Base m_base = Base::None;
    FileIdentity m_identity;
    TextFormat m_format;
    qsizetype m_recordsAt = 0;
    bool m_holdsEdits = false;
};
