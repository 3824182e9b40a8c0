#pragma once

#include <QObject>

// One column of a multi-column list box: its width, the alignment of its cells' text, and
// whether its cells are painted by the list box's cell handler instead.
class TFnpCol : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool OwnerDraw READ ownerDraw WRITE setOwnerDraw)
    Q_PROPERTY(int Width READ width WRITE setWidth)

public:
    explicit TFnpCol(QObject *parent = nullptr);

    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool ownerDraw() const { return m_ownerDraw; }
    void setOwnerDraw(bool ownerDraw);
    int width() const { return m_width; }
    void setWidth(int width);

    void assign(const TFnpCol &other);

Q_SIGNALS:
    void changed();

private:
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_ownerDraw = false;
    int m_width = 150;
};
