#include "core/errorbox.h"

#include <windows.h>

#include "core/error.h"
#include "core/history.h"
#include "core/messagebox.h"

namespace {
ErrorEntry EntryFor(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const AppError& appError) {
        return {appError.what(), appError.Call(), appError.File(), appError.Line()};
    } catch (const std::exception& other) {
        return {other.what()};
    } catch (...) {
        return {"Unknown error"};
    }
}
}  // namespace

void ReportError(const std::exception_ptr& error) noexcept
{
    try {
        const ErrorEntry entry = EntryFor(error);
        AppendToHistory(entry);
        ShowMessageBox(GetActiveWindow(), entry.text, "Velmora", MB_OK | MB_ICONERROR);
    } catch (...) {
        // Out of memory for the texts themselves: the error is lost rather than the program.
    }
}
