#pragma once

#include "toolbar/speedbarlayout.h"

#include <QFlags>
#include <QList>
#include <QPointer>
#include <QWidget>

class QAction;
class SettingsStore;
class TFormPlacement;
class TIniLink;
class TSpeedItem;
class TSpeedbarSection;
class TSpeedbarSetupWindow;

// A tool bar of large captioned buttons, grouped in named sections for customisation. Buttons
// stand on a grid from the bar's offsets in steps of the button size; the user can show, move
// and hide them through the "Customize Speedbar" window, and a bar attached to a form's storage
// keeps that layout between runs (section: the form's class name followed by the bar's name).
//
// Typical use:
//     auto *bar = new TSpeedBar(this);
//     bar->setObjectName("barTool");
//     auto *file = bar->AddSection("File");
//     bar->AddItem(file, "btnClose", closeAction, "Close", "Close Window");
class TSpeedBar : public QWidget
{
    Q_OBJECT

public:
    using Align = SpeedbarLayout::Align;
    static constexpr Align alNone = SpeedbarLayout::alNone;
    static constexpr Align alTop = SpeedbarLayout::alTop;
    static constexpr Align alBottom = SpeedbarLayout::alBottom;
    static constexpr Align alLeft = SpeedbarLayout::alLeft;
    static constexpr Align alRight = SpeedbarLayout::alRight;
    static constexpr Align alClient = SpeedbarLayout::alClient;

    enum Option {
        sbAllowDrag = 0x1,
        sbAllowResize = 0x2,
        sbFlatBtns = 0x4,
        sbGrayedBtns = 0x8,
        sbTransparentBtns = 0x10,
        sbStretchBitmap = 0x20,
    };
    Q_DECLARE_FLAGS(Options, Option)

    // Flat, greyed, transparent 44 x 44 buttons 4 pixels in from the edges, docked at the top,
    // captions in the narrow sans face at 12 pixels.
    explicit TSpeedBar(QWidget *parent = nullptr);
    ~TSpeedBar() override;

    Options options() const { return m_options; }
    void setOptions(Options options);

    int BtnWidth() const { return m_btnWidth; }
    int BtnHeight() const { return m_btnHeight; }
    void setBtnSize(int width, int height);
    int BtnOffsetHorz() const { return m_offsetHorz; }
    int BtnOffsetVert() const { return m_offsetVert; }
    void setBtnOffsets(int horz, int vert);
    int Version() const { return m_version; }
    void setVersion(int version) { m_version = version; }

    // Top and bottom lay the buttons out in rows, left and right in columns. The bar places
    // itself, so alNone and alClient throw ESpeedbarError. The owner docks the bar where
    // align() says (see SpeedbarDock) and follows PosChanged.
    Align align() const { return m_align; }
    void setAlign(Align align);
    bool horizontal() const { return m_align == alTop || m_align == alBottom; }

    // Throws ESpeedbarError when the bar has a section of that caption.
    TSpeedbarSection *AddSection(const QString &caption);
    QList<TSpeedbarSection *> sections() const { return m_sections; }
    TSpeedbarSection *section(const QString &caption) const;

    // An item backed by action; hint defaults to caption followed by "|". A visible item takes
    // the next free place after the buttons already shown.
    TSpeedItem *AddItem(TSpeedbarSection *section, const QString &name, QAction *action,
                        const QString &btnCaption, const QString &caption, bool visible = true);
    // Every item, sections in order, items in the order they were added.
    QList<TSpeedItem *> items() const;
    TSpeedItem *FindItem(const QString &name) const;

    // Shows item with its button in the grid cell under point (bar coordinates); buttons in its
    // way move one place on. Returns false when point is outside the bar.
    bool dropItem(TSpeedItem *item, const QPoint &point);
    // Whether the window under globalPos (screen coordinates) is this bar or one of its buttons.
    bool isUnder(const QPoint &globalPos) const;

    // Opens the customisation window, or brings back the one already open for this bar.
    void Customize(int helpContext = 0);
    TSpeedbarSetupWindow *setupWindow() const;
    // The customisation window is open.
    bool customizing() const;

    // Saves and restores the layout whenever storage does.
    void setIniStorage(TFormPlacement *storage);
    TIniLink *iniLink() const { return m_link; }
    // The layout's section: the class name of the form holding the bar, then the bar's name.
    QString layoutSection() const;
    // Writes the layout when it has changed since it was restored or last saved.
    void SaveLayout(SettingsStore &store, const QString &sectionKey);
    void RestoreLayout(const SettingsStore &store, const QString &sectionKey);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The alignment changed (the owner re-docks the bar).
    void PosChanged();
    // Buttons were shown, hidden or moved.
    void layoutChanged();

private:
    friend class TSpeedItem;
    friend class TSpeedbarSection;
    void itemChanged(TSpeedItem *item);
    void refreshButtons();
    void placeNewItem(TSpeedItem *item);
    void placeShownItem(TSpeedItem *item);
    TSpeedItem *occupant(const QPoint &cell, const TSpeedItem *except) const;
    SpeedbarLayout toLayout() const;
    int lines() const;
    void arrange();
    QPoint cellOf(const QPoint &point) const;
    QPoint cellOrigin(const QPoint &cell) const;
    int thicknessFor(int count) const;
    int linesInUse() const;
    void updateSize();

    Options m_options;
    int m_btnWidth = 44;
    int m_btnHeight = 44;
    int m_offsetHorz = 4;
    int m_offsetVert = 4;
    int m_version = 0;
    int m_thickness = 0;
    Align m_align = alTop;
    bool m_arranging = false;
    QList<TSpeedbarSection *> m_sections;
    QPointer<TSpeedbarSetupWindow> m_setup;
    TIniLink *m_link;
    SettingsBaseline m_baseline; // the layout as restored or last saved
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSpeedBar::Options)
