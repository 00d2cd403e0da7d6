#pragma once
// The system's file-open dialog, with an event each time the selection in it changes.
#include <windows.h>

#include <functional>
#include <string>

struct OpenDialogArgs {
    std::string name = "OpenDialog";  // reported to the modal seam
    std::string defaultExt;
    // Pairs of description and pattern separated by '|', e.g. "INI files|*.ini|All files|*.*".
    std::string filter;
};

class TOpenDialog {
public:
    explicit TOpenDialog(OpenDialogArgs args);

    const std::string& FileName() const noexcept { return m_fileName; }
    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }

    // Shows the dialog modally, owned by `owner`; true when the user chose a file.
    bool Execute(HWND owner);
    // While the dialog is open: the full path of the file selected in it now (at most
    // MAX_PATH characters), or empty.
    std::string SelectedPath() const;

    // Raised while the dialog is open, each time its selection changes.
    std::function<void()> onSelectionChange;

private:
    static UINT_PTR CALLBACK Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    OpenDialogArgs m_args;
    std::string m_fileName;
    HWND m_dialog = nullptr;  // the open dialog's window while it runs
};
