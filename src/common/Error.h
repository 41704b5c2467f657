#pragma once

#include <QString>

#include <exception>
#include <string>

namespace orvandel::inline common {

// The one error type of the program: its text is what the user is shown by the generic report.
class Error : public std::exception {
public:
    explicit Error(QString message);

    const QString& message() const noexcept { return text; }
    const char* what() const noexcept override { return utf8.c_str(); }

private:
    QString text;
    std::string utf8;
};

} // namespace orvandel::inline common
