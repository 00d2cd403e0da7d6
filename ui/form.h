#pragma once
// Top-level windows of the program. A concrete form builds its controls in its constructor,
// binds their events to its handlers and ends the constructor with DoCreate, which raises
// onCreate inside the error boundary: an error there is shown and the form lives on.
#include <functional>
#include <string>

#include "ui/window.h"

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TBorderStyle { bsSingle, bsDialog };

// Modal results, as the dialog manager numbers them.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = IDOK;
inline constexpr int mrCancel = IDCANCEL;

// The window class of every form: other programs (a later start of this one) find a form by it.
inline constexpr char kFormWindowClass[] = "VelmoraForm";

struct FormArgs {
    std::string name;  // the form's name, e.g. "Form1"; modal runs are reported under it
    std::string caption;
    Bounds bounds;  // left and top of the window; width and height of its client area
    TBorderStyle borderStyle = TBorderStyle::bsSingle;
    bool helpButton = false;  // the caption's context-help button
    HWND owner = nullptr;
    HFONT font = nullptr;  // null: the program's standard font
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

class TForm : public TWindow {
public:
    explicit TForm(const FormArgs& args);

    const std::string& Name() const noexcept { return m_name; }

    // Shows the form and brings it to the front.
    void Show();
    void Hide();
    // A close request: asks onCloseQuery, then acts on onClose's action. Closing the
    // application's main form terminates the application.
    void Close();
    // Raises onCloseQuery; true when the form may close.
    bool CloseQuery();
    // True while the close query answers Windows' question whether the session may end.
    bool EndingSession() const noexcept { return m_endingSession; }

    // Runs the form modally until its modal result is set; returns the result.
    int ShowModal();
    int ModalResult() const noexcept { return m_modalResult; }
    void SetModalResult(int result) noexcept { m_modalResult = result; }
    bool Modal() const noexcept { return m_modal; }

    // Shows the form at a DPI: its controls scaled from the design, its client area the
    // design's scaled in a frame of that DPI, its top left where it is. DoCreate shows it at
    // its monitor's DPI; a form about to move to another monitor may take that one's first.
    void ScaleTo(int dpi);
    // The client area's size at 96 DPI.
    SIZE DesignClientSize() const noexcept { return m_designClient; }

    std::function<void()> onCreate;
    std::function<void()> onShow;  // each time the form becomes visible
    std::function<void(bool& canClose)> onCloseQuery;
    std::function<void(TCloseAction& action)> onClose;

protected:
    void DoCreate();
    // The control that gets the focus when the form is next activated, as if it had it when
    // the form was last left (a dialog's first field at each opening).
    void SetActiveControl(HWND control) noexcept { m_focusedControl = control; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int RunModalLoop();
    void SaveFocus();
    bool RestoreFocus();

    // Windows moved the form to a monitor of another scale (WM_DPICHANGED).
    void DpiChanged(int dpi, const RECT& suggested);

    std::string m_name;
    SIZE m_designClient{};
    HWND m_focusedControl = nullptr;  // had the keyboard focus when the form was last left
    int m_modalResult = mrNone;
    bool m_modal = false;
    bool m_endingSession = false;
};
