#pragma once
// Every message box answered IDOK and kept instead of shown, for the recorder's life.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "core/messagebox.h"

struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<ShownBox>& Calls() const noexcept { return m_shown; }
    std::vector<std::string> Texts() const;
    size_t size() const noexcept { return m_shown.size(); }
    bool empty() const noexcept { return m_shown.empty(); }
    void clear() noexcept { m_shown.clear(); }
    const ShownBox& operator[](size_t index) const { return m_shown.at(index); }

private:
    std::vector<ShownBox> m_shown;
    MessageBoxHandler m_previous;
};
