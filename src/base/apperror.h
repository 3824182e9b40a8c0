#pragma once

#include <QString>

#include <exception>

// The program's error: a failure that unwinds the current command. Its text is what the
// user sees in the application's error box.
class AppError : public std::exception
{
public:
    explicit AppError(QString message);

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override;

private:
    QString m_message;
    QByteArray m_utf8;
};
