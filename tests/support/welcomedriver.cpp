#include "support/welcomedriver.h"

#include <memory>

#include "app/mainformunit.h"

WelcomeDriver::WelcomeDriver(TApplication& application) : m_wasHidden(WelcomeNoticeHidden())
{
    ShowWelcomeNoticeAgain();
    SetWelcomeMaker([this, &application]() -> TForm4& {
        ++made;
        welcome = &application.Own(std::make_unique<TForm4>());
        return *welcome;
    });
    m_previous = SetModalHandler([this](const ModalRequest& request, const std::function<int()>& run) {
        if (request.name != "Form4") {
            ++otherRuns;
            return m_previous ? m_previous(request, run) : static_cast<int>(mrCancel);
        }
        ++runs;
        mainWindowShown = Form1 != nullptr && IsWindowVisible(Form1->Handle());
        owner = GetWindow(Form4->Handle(), GW_OWNER);
        if (answer) answer(*Form4);
        result = run();
        return result;
    });
}

WelcomeDriver::~WelcomeDriver()
{
    SetWelcomeMaker(nullptr);
    SetModalHandler(m_previous);
    if (m_wasHidden) {
        HideWelcomeNotice();
    } else {
        ShowWelcomeNoticeAgain();
    }
}
