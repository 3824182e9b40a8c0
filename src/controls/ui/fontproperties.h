#pragma once

#include <QColor>
#include <QFont>
#include <QObject>

#include <functional>

class TextView;

// The text view's font as the stored settings see it: colour (a colour reference, or the
// window-text system colour as its negative code), height (negative: character height in
// pixels), face name, pitch, size in points and style. A height or size outside 1 to 512
// points is not taken: the font keeps its size.
class FontProperties : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(FontPitch Pitch READ pitch WRITE setPitch)
    Q_PROPERTY(int Size READ size WRITE setSize)
    Q_PROPERTY(FontStyles Style READ style WRITE setStyle)

public:
    enum FontPitch { fpDefault, fpVariable, fpFixed };
    Q_ENUM(FontPitch)
    enum FontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
    Q_DECLARE_FLAGS(FontStyles, FontStyle)
    Q_FLAG(FontStyles)

    // The system colour for window text, as stored.
    static constexpr int kWindowText = -2147483640;

    explicit FontProperties(TextView *view);

    int color() const { return m_color; }
    void setColor(int color);
    int height() const;
    void setHeight(int height);
    QString name() const;
    void setName(const QString &name);
    FontPitch pitch() const { return m_pitch; }
    void setPitch(FontPitch pitch);
    int size() const;
    void setSize(int size);
    FontStyles style() const;
    void setStyle(FontStyles style);

    // A colour reference is 0x00BBGGRR.
    static int colorReference(const QColor &color);
    static QColor fromColorReference(int reference);

private:
    FontProperties(QWidget *control, std::function<QFont()> font,
                   std::function<void(const QFont &)> setFont);
    int dpi() const;
    QFont currentFont() const { return m_font(); }
    void applyFont(const QFont &font) { m_setFont(font); }

    QWidget *m_control;
    std::function<QFont()> m_font;
    std::function<void(const QFont &)> m_setFont;
    int m_color = kWindowText;
    FontPitch m_pitch = fpDefault;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(FontProperties::FontStyles)
