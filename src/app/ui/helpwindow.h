#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QStackedWidget;
class QTextBrowser;

// The program's help: one HTML help file shown in a window of its own, with its contents,
// an index of its topics with a search box, and a page on using help.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // The anchors of the help file's fixed places.
    static const QString ContentsAnchor;
    static const QString HowToUseAnchor;

    explicit HelpWindow(const QString &helpFile, QWidget *parent = nullptr);

    // Each loads the help file when needed (throws AppError when it cannot be read) and
    // brings the window up at that place.
    void showContents();
    void showIndex();
    void showHowToUse();

    // The index: every titled topic of the help file, alphabetically.
    QStringList topics() const;
    // The topics the search box currently lets through.
    QStringList visibleTopics() const;
    QString currentAnchor() const { return m_anchor; }
    bool isIndexShown() const;
    QLineEdit *searchBox() const { return m_search; }

private:
    void ensureLoaded();
    void buildIndex();
    void filterIndex(const QString &text);
    void openFirstMatch();
    void openTopic(QListWidgetItem *item);
    void showAnchor(const QString &anchor);
    void bringUp();

    QString m_helpFile;
    bool m_loaded = false;
    QString m_anchor;
    QStackedWidget *m_pages;
    QTextBrowser *m_browser;
    QLineEdit *m_search;
    QListWidget *m_index;
};
