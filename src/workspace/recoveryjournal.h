#pragma once

#include "controls/textstorage.h"
#include "platform/fileidentity.h"
#include "platform/unixfile.h"

#include <QObject>
#include <QString>

class QTimer;
class TextDocument;

// Keeps a Workspace's unsaved edits on disk as they are made, so that a crash or a power cut
// loses at most the last two seconds of typing: a journal of the edits since the text was
// last as on disk (or of the whole text, when it never was), in the recovery folder, mode
// 0600, locked while this process lives. It goes as soon as the text is saved, reloaded or
// given up. RecoveryFile reads it back.
class RecoveryJournal : public QObject
{
    Q_OBJECT

public:
    // What the text is when not modified: nothing (untitled) or the file at path as identity
    // says it was when read or written.
    struct Base
    {
        QString path;
        FileIdentity identity;
    };

    RecoveryJournal(const QString &folder, TextDocument *document, QObject *parent = nullptr);
    ~RecoveryJournal() override;

    // The text now is base (after a load or a save), or, with no base, matches no file.
    void setBase(const Base &base);
    void setNoBase();
    // The name the Workspace shows, kept with the journal.
    void setTitle(const QString &title) { m_title = title; }

    // Keeps the whole text now, on disk before this returns (a text just recovered, whose old
    // journal is about to go).
    void keepNow();
    // The text is safe or given up: the journal goes.
    void discard();
    // Writes what is waiting, at once.
    void flush();
    bool active() const { return m_file.isOpen(); }
    QString filePath() const { return m_path; }
    // The most a change waits before it is on disk; two seconds unless tests say otherwise.
    void setDelay(int milliseconds);

private:
    void replaced(const std::vector<TextStorage::Replacement> &replacements);
    void start();
    void append(QByteArray payload);
    QByteArray header() const;

    QString m_folder;
    TextDocument *m_document;
    QTimer *m_timer;
    Base m_base;
    bool m_baseMatches = true;
    QString m_title;
    UnixFile m_file;
    QString m_path;
    QByteArray m_pending;
};
