#include "support/boxes.h"

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous =
        SetMessageBoxHandler([this](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
            m_shown.push_back({owner, text, caption, flags});
            return IDOK;
        });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxHandler(std::move(m_previous)); }

std::vector<std::string> MessageBoxRecorder::Texts() const
{
    std::vector<std::string> texts;
    for (const ShownBox& box : m_shown)
        texts.push_back(box.text);
    return texts;
}
