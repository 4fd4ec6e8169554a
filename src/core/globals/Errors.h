#pragma once
// The one exception type of the program: a message text, shown to the user as it stands.

#include <QByteArray>
#include <QString>
#include <exception>

class EOrvane : public std::exception {
public:
    explicit EOrvane(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &Message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
