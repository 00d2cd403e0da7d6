#pragma once
// Every modal run of the program (its own dialogs and the system's file dialog) passes
// through here, so that tests can watch them and answer them without a dialog ever waiting
// for a person. Message boxes have their own seam in core/messagebox.h.
#include <windows.h>

#include <functional>
#include <string>

struct ModalRequest {
    HWND window = nullptr;  // the dialog's window, or null for a system dialog not yet open
    std::string name;       // what is being run modally, e.g. "Form2" or "OpenDialog1"
};
// `run` performs the real modal run and returns its result; a handler may call it (driving the
// dialog from a timer or hook meanwhile) or answer without calling it.
using ModalHandler = std::function<int(const ModalRequest& request, const std::function<int()>& run)>;

int RunModal(const ModalRequest& request, const std::function<int()>& run);
// Installs a handler for every following modal run (an empty one restores the real runs);
// returns the one it replaces.
ModalHandler SetModalHandler(ModalHandler handler);
