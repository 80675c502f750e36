// The one error type of the domain code. It carries a German message for the user; every
// window command catches it and shows the message (see platform/ui/ErrorReport.h).
#pragma once

#include <QString>
#include <exception>
#include <string>

class WendrakError : public std::exception {
public:
    explicit WendrakError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};
