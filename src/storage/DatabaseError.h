// The table engine's database error: raised for malformed table files, unknown fields
// and filters that do not parse, and caught at the command that started the work.
#pragma once

#include <QString>
#include <stdexcept>

class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    // The message in the user's words, ready for a message box.
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};
