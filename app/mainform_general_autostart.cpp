// "Load on StartUp": the program's entry under the machine's Run key, read when the main window
// is created and written or deleted each time the box changes.
#include "app/mainformunit.h"

#include <memory>
#include <optional>
#include <utility>

#include "app/autostartentry.h"
#include "adapters/elevatedchange.h"
#include "app/elevation.h"
#include "core/error.h"
#include "core/policies.h"
#include "core/messagebox.h"

namespace {
// Shows a state in the box without running its click handler, which would write the entry.
void ShowQuietly(TCheckBox& box, bool checked)
{
    auto handler = std::exchange(box.onClick, nullptr);
    box.SetChecked(checked);
    box.onClick = std::move(handler);
}
}  // namespace

void TForm1::ReadAutostartState()
{
    if (const std::optional<bool> wanted = ProgramPolicies().loadOnStartup) {
        SetAutostartByPolicy(*wanted);
        return;
    }
    const AutostartEntry entry = ReadAutostartEntry();
    if (entry.text.empty()) return;
    if (entry.writable) {
        // Checking the box runs its click handler, which points a present entry at this program.
        CheckBox2->SetChecked(true);
        return;
    }
    // A user who may not write the key still sees the entry that is there; its rewrite would
    // ask for administrator rights at every logon, so it is left as it is.
    ShowQuietly(*CheckBox2, true);
}

void TForm1::SetAutostartByPolicy(bool wanted)
{
    // Made so where this user may write the entry; never by asking for administrator rights at
    // every start: for standard users the organisation deploys the entry itself. The box shows
    // the entry as it then is.
    const AutostartEntry entry = ReadAutostartEntry();
    if (entry.writable) {
        try {
            if (wanted) {
                WriteAutostartEntry();
            } else if (!entry.text.empty()) {
                DeleteAutostartEntry();
            }
        } catch (const AppError&) {
            // Left as it is; the box says which.
        }
    }
    ShowQuietly(*CheckBox2, !ReadAutostartEntry().text.empty());
}

void TForm1::CheckBox2Click()
{
    const bool wanted = CheckBox2->Checked();
    std::optional<AppError> refused;
    if (wanted) {
        try {
            WriteAutostartEntry();
            return;
        } catch (const AppError& error) {
            refused = error;
        }
    } else {
        const LSTATUS deleted = DeleteAutostartEntry();
        if (deleted == ERROR_SUCCESS) return;
        refused = AppError("Failed to Delete RegistryKey ", HRESULT_FROM_WIN32(static_cast<DWORD>(deleted)));
    }

    // HKLM is the administrators' to write: a standard user's change that Windows refused for
    // want of rights goes to an elevated run; any other failure would fail there as well.
    if (ProcessElevated() || !refused->AccessDenied()) {
        AutostartFailed(wanted, *refused);
        return;
    }
    ElevatedChange change;
    change.kind = ElevatedChange::Kind::Autostart;
    change.autostart = wanted;
    // The consent prompt waits for the user as long as the user takes: on a thread of its own,
    // while the program goes on answering.
    auto answer = std::make_shared<ElevatedAnswer>();
    m_work.Background([answer, change, window = Handle()] { *answer = RunChangeElevated(window, change); },
                      [this, answer, wanted, error = *refused](std::exception_ptr raised) {
                          // Whatever the run did, or did before it failed, the box shows the entry
                          // as it is now, without writing it again.
                          ShowQuietly(*CheckBox2, !ReadAutostartEntry().text.empty());
                          if (raised) std::rethrow_exception(raised);
                          if (!answer->result) {
                              ShowMessageBox(Handle(), answer->whyNot, "Velmora", MB_OK | MB_ICONWARNING);
                          } else if (!answer->result->autostart) {
                              AutostartFailed(wanted, error);
                          }
                      });
}

void TForm1::AutostartFailed(bool wanted, const AppError& refused)
{
    // A write tells the registry's own error; a deletion the program's plain box.
    if (wanted) throw refused;
    ShowMessageBox(Handle(), "Failed to Delete RegistryKey ", "Velmora", MB_OK);
}
