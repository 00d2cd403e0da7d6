// TProfilesView::OpenProfileEditor: the one way into the profile editor, from the Profiles tab, the
// tray's and the list's "Edit..." entries and the first start.
#include "adapters/wmiworks.h"
#include "profiles/profilesview.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "ui/dpi.h"

bool TProfilesView::OpenProfileEditor(Tprofile* profile)
{
    // A second opening (a tray "Edit..." while the dialog is up) must not take it over; profiles
    // the organisation manages are not edited here, however the editor is asked for.
    if (m_locked || !ProfileEditor || ProfileEditor->Modal() || ProfileEditor->Visible()) return false;
    TForm2& editor = *ProfileEditor;

    POINT pointer{};
    GetCursorPos(&pointer);
    if (profile == nullptr) {
        POINT inList = pointer;
        ScreenToClient(ListView1->Handle(), &inList);
        profile = dynamic_cast<Tprofile*>(ListView1->ItemAt(inList));
        if (profile == nullptr) return false;
    }

    // At the scale of the pointer's monitor, where it opens; Windows would otherwise rescale it
    // once it is there.
    editor.ScaleTo(DpiAtPoint(pointer));
    // Beside the pointer, to its left or above it where the desktop ends; nothing more is
    // adjusted, so a pointer near the left or top edge can leave part of the dialog outside.
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT outer{};
    GetWindowRect(editor.Handle(), &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = pointer.x + width < desktop.right ? pointer.x : pointer.x - width;
    const int top = pointer.y + height < desktop.bottom ? pointer.y : pointer.y - height;
    SetWindowPos(editor.Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    editor.EditedProfile = profile;
    // Without an adapter query that gave a collection (no WMI connection) there is no adapter
    // to find, and the editor must still open.
    editor.EditorAdapter = m_state.AdapterCollection.HoldsObject()
                               ? FindAdapterConfiguration(m_state.AdapterCollection, m_state.SelectedAdapterIndex)
                               : Variant::FromInt(0);

    const bool accepted = editor.ShowModal() == mrOk;
    // A profile removed while the dialog was open got nothing written and must not be used.
    if (!accepted || editor.EditedProfile != profile) return false;
    MessageBeep(0);
    return true;
}
