// The tray menu PopupMenu1, its items with their images from ImageList3, and the tray icon
// TrayIcon1 that opens it. The first three ("Apply Next Profile", "Undo" and the "Profiles"
// submenu) are the profile view's, added when it is made.
#include "app/mainformunit.h"
#include "app/programicon.h"

#include "tray/trayicon.h"

namespace {
TMenuItem& AddItem(TMenuItem& parent, const char* caption, int imageIndex)
{
    TMenuItem& item = parent.Add(caption);
    item.SetImageIndex(imageIndex);
    return item;
}
}  // namespace

void TForm1::BuildTrayMenu()
{
    PopupMenuArgs args;
    args.owner = Handle();
    args.images = ImageList3.get();
    args.alignment = TPopupAlignment::paCenter;
    args.rightToLeft = true;
    PopupMenu1 = std::make_unique<TPopupMenu>(args);
    PopupMenu1->onPopup = [this] { PopupMenu1Popup(); };
}

void TForm1::AddTrayCommands()
{
    TMenuItem& items = PopupMenu1->Items();
    Configuration1 = &AddItem(items, "Open Configurator", 1);
    Configuration1->onClick = [this](TMenuItem& sender) { Configuration1Click(sender); };
    About1 = &AddItem(items, "About", 3);
    About1->onClick = [this](TMenuItem& sender) { About1Click(sender); };
    Exit1 = &AddItem(items, "Exit", 4);
    Exit1->onClick = [this](TMenuItem& sender) { Exit1Click(sender); };
}

void TForm1::BuildTrayIcon()
{
    TrayIcon1 = std::make_unique<TTrayIcon>(Handle());
    TrayIcon1->SetHint("V.M.R.");  // until the details refresh puts the address there
    TrayIcon1->SetShowHint(true);
    TrayIcon1->SetIcon(ProgramIcon(NotificationIconSize()));
    // A new scale, display or taskbar may want another size; the same size is left alone.
    TrayIcon1->OnDisplayChange = [](TTrayIcon& sender) {
        const int size = NotificationIconSize();
        if (IconSize(sender.Icon()) != size) sender.SetIcon(ProgramIcon(size));
    };
    TrayIcon1->SetIconIndex(0);
    TrayIcon1->SetCycleInterval(0);
    TrayIcon1->SetPopupMenu(PopupMenu1.get());
    TrayIcon1->SetLeftPopup(true);
    TrayIcon1->SetMinimizeToTray(true);
    // The window's parts are all in place: the icon goes into the notification area now,
    // before the creation steps run.
    TrayIcon1->Loaded();
}
