#pragma once
// What the toolkit's tests share: a plain form to put controls on, and every message box
// recorded instead of shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/messagebox.h"
#include "ui/form.h"

struct RecordedBox {
    std::string text;
    std::string caption;
    UINT flags;
};

class ToolkitTest : public testing::Test {
protected:
    ToolkitTest();
    ~ToolkitTest() override;

    // Pumps messages until `done` holds; each round waits for the next message (no sleeping).
    template <typename Done>
    void PumpUntil(Done done)
    {
        MSG message;
        while (!done() && GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    TForm host;
    std::vector<RecordedBox> boxes;

private:
    MessageBoxHandler m_previous;
};
