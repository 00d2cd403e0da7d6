#pragma once
// The text of the AppError that `action` raises, or "(no error)".
#include <string>

#include "core/error.h"

template <typename Action>
std::string ErrorText(Action action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.what();
    }
    return "(no error)";
}
