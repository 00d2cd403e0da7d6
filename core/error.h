#pragma once
// The program's one error type. Everything that fails inside Velmora raises it;
// only window, dialog, subclass, timer and hook procedures catch it.
#include <stdexcept>
#include <string>

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
};

[[noreturn]] inline void RaiseError(const std::string& message) { throw AppError(message); }
