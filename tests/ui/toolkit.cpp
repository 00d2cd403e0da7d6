#include "ui/toolkit.h"

namespace {
FormArgs HostArgs()
{
    FormArgs args;
    args.name = "Host";
    args.caption = "Host";
    args.bounds = {10, 10, 400, 300};
    return args;
}
}  // namespace

ToolkitTest::ToolkitTest() : host(HostArgs())
{
    m_previous = SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption, UINT flags) {
        boxes.push_back({text, caption, flags});
        return IDOK;
    });
}

ToolkitTest::~ToolkitTest() { SetMessageBoxHandler(m_previous); }
