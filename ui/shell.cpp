#include "ui/shell.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "core/check.h"

namespace {
ShellOpenFunction& InstalledShellOpen()
{
    static ShellOpenFunction function;
    return function;
}
}  // namespace

void TBrowseURL::Execute() const
{
    const ShellOpenFunction function = InstalledShellOpen();
    if (function) {
        function(m_address);
        return;
    }
    // ShellExecute reports failure as a value of 32 or less (ShellExecute, Return value).
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", m_address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) RaiseError("Cannot open " + m_address + ": " + SystemMessageText(static_cast<DWORD>(result)));
}

ShellOpenFunction SetShellOpen(ShellOpenFunction function)
{
    return std::exchange(InstalledShellOpen(), std::move(function));
}
