#pragma once

#include "workspace/fileproperties.h"

#include <QObject>
#include <QString>

class TextDocument;

// Which file a Workspace holds: none while untitled, else its full path. The caption, the path
// panel's text and what the Properties dialog is told all come from here and the document,
// never from what a widget shows.
class WorkspaceFile : public QObject
{
    Q_OBJECT

public:
    static const QString untitledName;

    explicit WorkspaceFile(QObject *parent = nullptr);

    bool untitled() const { return m_untitled; }
    // The file's full path; empty while untitled.
    QString path() const { return m_untitled ? QString() : m_path; }
    // The file name without its folder, or "untitled.txt".
    QString caption() const;
    // One blank, the folder and "untitled.txt" while untitled; the path otherwise.
    QString pathText() const;

    // Untitled, named after the folder the Open dialog starts in.
    void setUntitled(const QString &folder);
    void setPath(const QString &path);

    // What the Properties dialog shows of this file holding the document's text.
    FileProperties::Source propertiesSource(const TextDocument &document) const;

Q_SIGNALS:
    void nameChanged();

private:
    bool m_untitled = true;
    QString m_path;
    QString m_untitledFolder;
};
