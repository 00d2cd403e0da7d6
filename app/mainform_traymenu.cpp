// The tray menu PopupMenu1: five items with their images from ImageList3. The tray icon opens
// it; "Apply Next Profile" and the "Profiles" submenu are filled by the profile views and
// activation.
#include "app/mainformunit.h"

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

    TMenuItem& items = PopupMenu1->Items();
    ApplyNextProfile1 = &AddItem(items, "Apply Next Profile", 5);
    ApplyNextProfile1->SetDefault(true);
    prfs = &AddItem(items, "Profiles", 0);
    Configuration1 = &AddItem(items, "Open Configurator", 1);
    Configuration1->onClick = [this](TMenuItem& sender) { Configuration1Click(sender); };
    About1 = &AddItem(items, "About", 3);
    About1->onClick = [this](TMenuItem& sender) { About1Click(sender); };
    Exit1 = &AddItem(items, "Exit", 4);
    Exit1->onClick = [this](TMenuItem& sender) { Exit1Click(sender); };
}
