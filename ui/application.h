#pragma once
// The application object: owns the forms created through it, knows the main form, and runs
// the message loop until it is terminated.
#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

class TForm;

class TApplication {
public:
    TApplication();   // becomes the current application
    ~TApplication();  // destroys its forms, the last created first
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    static TApplication* Current() noexcept;

    // Whether Run shows the main form first.
    void SetShowMainForm(bool show) noexcept { m_showMainForm = show; }
    bool ShowMainForm() const noexcept { return m_showMainForm; }

    // Creates a form owned by the application; the first one created so becomes the main form,
    // from its construction on: its creation may run dialogs, and an "Exit" chosen meanwhile
    // must end the application as it would later.
    template <typename T, typename... Args>
    T& CreateForm(Args&&... args)
    {
        const bool first = m_mainForm == nullptr;
        m_mainFormPending = first;
        try {
            T& form = Own(std::make_unique<T>(std::forward<Args>(args)...));
            m_mainFormPending = false;
            if (first) m_mainForm = &form;
            return form;
        } catch (...) {
            m_mainFormPending = false;
            if (first) m_mainForm = nullptr;
            throw;
        }
    }
    // Called by every form as it is made: the one CreateForm makes first becomes the main form.
    void FormConstructed(TForm& form) noexcept
    {
        if (!m_mainFormPending) return;
        m_mainFormPending = false;
        m_mainForm = &form;
    }
    // Takes a form into the application's ownership without making it the main form.
    template <typename T>
    T& Own(std::unique_ptr<T> form)
    {
        T& reference = *form;
        m_forms.push_back(std::move(form));
        return reference;
    }
    TForm* MainForm() const noexcept { return m_mainForm; }

    // Runs the message loop until Terminate.
    void Run();
    // Ends the message loop; modal forms still open end with mrCancel.
    void Terminate();
    bool Terminated() const noexcept { return m_terminated; }
    // Handles every message waiting now, then returns.
    void ProcessMessages();

    // Keyboard handling of our forms (Tab, Esc, Enter); true when the message was used.
    static bool PreTranslate(MSG& message);

private:
    bool m_showMainForm = true;
    bool m_terminated = false;
    bool m_running = false;
    bool m_mainFormPending = false;
    TForm* m_mainForm = nullptr;
    std::vector<std::unique_ptr<TForm>> m_forms;
};
