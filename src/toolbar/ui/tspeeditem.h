#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class TSpeedBar;
class TSpeedbarButton;
class TSpeedbarSection;

// One command of a tool bar. The command's QAction decides whether it is enabled, checked and
// what it does; the item adds what the bar needs: the caption under the glyph, the long name
// for the customisation window, the hint, and where (and whether) its button stands.
class TSpeedItem : public QObject
{
    Q_OBJECT

public:
    // name: the item's name, as stored in the layout ("btnNew").
    TSpeedItem(TSpeedbarSection *section, const QString &name, QAction *action);
    ~TSpeedItem() override;

    TSpeedBar *bar() const;
    TSpeedbarSection *section() const { return m_section; }
    QAction *action() const { return m_action; }
    TSpeedbarButton *button() const { return m_button; }
    QString name() const { return objectName(); }

    QString BtnCaption() const { return m_btnCaption; }
    void setBtnCaption(const QString &text);
    // The long name shown in the customisation window.
    QString Caption() const { return m_caption; }
    void setCaption(const QString &text);
    // "short|long": the short part is the button's tool-tip.
    QString Hint() const { return m_hint; }
    void setHint(const QString &hint);
    QIcon Glyph() const { return m_glyph; }
    void setGlyph(const QIcon &glyph);
    // Items of one group index above 0 are pressed one at a time.
    int GroupIndex() const { return m_groupIndex; }
    void setGroupIndex(int index);

    // Whether the item's command can run now.
    bool Enabled() const;
    // Follows the command's state, or the customisation that keeps every button movable.
    void refreshEnabled();
    bool Down() const;
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    void setLeft(int left);
    void setTop(int top);
    void setPosition(int left, int top);

Q_SIGNALS:
    void changed();

private:
    friend class TSpeedBar;
    TSpeedbarSection *m_section;
    QPointer<QAction> m_action;
    TSpeedbarButton *m_button;
    QString m_btnCaption;
    QString m_caption;
    QString m_hint;
    QIcon m_glyph;
    int m_groupIndex = 0;
    bool m_visible = false;
    int m_left = 0;
    int m_top = 0;
};
