#include "support/boxes.h"

#include <algorithm>

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous =
        SetMessageBoxHandler([this](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
            m_shown.push_back({owner, text, caption, flags});
            const ShownBox shown = m_shown.back();
            ++m_up;
            m_mostAtOnce = std::max(m_mostAtOnce, m_up);
            if (whileShown) whileShown(shown);
            --m_up;
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
