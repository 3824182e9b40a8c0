#pragma once

#include <QObject>

// The application-wide switch for tool-tips: while off, no widget of the program shows one.
class ButtonHints : public QObject
{
    Q_OBJECT

public:
    explicit ButtonHints(QObject *parent = nullptr);
    ~ButtonHints() override;

    bool isOn() const { return m_on; }
    void setOn(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_on = true;
};
