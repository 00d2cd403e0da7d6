#pragma once
// Every message box answered IDOK and kept instead of shown, for the recorder's life.
#include <windows.h>

#include <cstddef>
#include <functional>
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

    // Runs while each box is up, where the box's own message loop would run the program's
    // paints and timers; the box closes when it returns.
    std::function<void(const ShownBox& box)> whileShown;
    // The most boxes that were up at once.
    size_t MostAtOnce() const noexcept { return m_mostAtOnce; }

private:
    std::vector<ShownBox> m_shown;
    size_t m_up = 0;
    size_t m_mostAtOnce = 0;
    MessageBoxHandler m_previous;
};
