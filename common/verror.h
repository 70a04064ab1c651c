// Errors raised by the non-visual layers. The command boundary of the programs
// catches them and shows kind and message in the error report.
#pragma once
#include <stdexcept>
#include <string>

class VelmoError : public std::runtime_error {
public:
    VelmoError(std::string kind, const std::string& message)
        : std::runtime_error(message), kind_(std::move(kind)) {}
    const std::string& Kind() const { return kind_; }

private:
    std::string kind_;
};

// A value that cannot be converted to the type asked for (text to number and the like).
class ConvertError : public VelmoError {
public:
    explicit ConvertError(const std::string& message) : VelmoError("EConvertError", message) {}
};

// The settings file could not be read or written.
class SettingsError : public VelmoError {
public:
    explicit SettingsError(const std::string& message) : VelmoError("EIniFileException", message) {}
};
