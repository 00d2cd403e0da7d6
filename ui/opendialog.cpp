#include "ui/opendialog.h"

#include <commdlg.h>

#include <vector>

#include "core/errorbox.h"
#include "core/systemdll.h"
#include "ui/modal.h"

TOpenDialog::TOpenDialog(OpenDialogArgs args) : m_args(std::move(args)) {}

bool TOpenDialog::Execute(HWND owner)
{
    return RunModal({nullptr, m_args.name}, [&] {
               // The filter's pairs separated by zero characters, ended by two.
               std::vector<char> filter(m_args.filter.begin(), m_args.filter.end());
               for (char& c : filter) {
                   if (c == '|') c = '\0';
               }
               filter.push_back('\0');
               filter.push_back('\0');
               std::vector<char> file(MAX_PATH + 1, '\0');
               lstrcpynA(file.data(), m_fileName.c_str(), MAX_PATH);

               OPENFILENAMEA dialog{};
               dialog.lStructSize = sizeof dialog;
               dialog.hwndOwner = owner;
               dialog.lpstrFilter = filter.data();
               dialog.nFilterIndex = 1;
               dialog.lpstrFile = file.data();
               dialog.nMaxFile = MAX_PATH;
               dialog.lpstrDefExt = m_args.defaultExt.empty() ? nullptr : m_args.defaultExt.c_str();
               dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING | OFN_HIDEREADONLY;
               dialog.lpfnHook = &TOpenDialog::Hook;
               dialog.lCustData = reinterpret_cast<LPARAM>(this);
               static auto* const getOpenFileName =
                   SystemFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
               const BOOL chosen = getOpenFileName(&dialog);
               m_dialog = nullptr;
               if (chosen) m_fileName = file.data();
               return chosen ? IDOK : IDCANCEL;
           }) == IDOK;
}

std::string TOpenDialog::SelectedPath() const
{
    if (m_dialog == nullptr) return {};
    char path[MAX_PATH + 1] = {};
    const auto length = SendMessageA(m_dialog, CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
    return length > 0 ? std::string(path) : std::string();
}

UINT_PTR CALLBACK TOpenDialog::Hook(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    return Guarded(
        [&]() -> UINT_PTR {
            if (message == WM_INITDIALOG) {
                // The hook's window is a child of the dialog; the dialog answers CDM_* messages.
                auto* self = reinterpret_cast<TOpenDialog*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
                SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
                self->m_dialog = GetParent(window);
                return 0;
            }
            auto* self = reinterpret_cast<TOpenDialog*>(GetWindowLongPtrA(window, DWLP_USER));
            if (self == nullptr || message != WM_NOTIFY) return 0;
            if (reinterpret_cast<NMHDR*>(lParam)->code == CDN_SELCHANGE && self->onSelectionChange) {
                self->onSelectionChange();
            }
            return 0;
        },
        UINT_PTR{0});
}
