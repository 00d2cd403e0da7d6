// The Network Configuration tab: the description with its link to the Profiles tab, the
// details refresh and "Apply Changes". The adapter selector, the property list and the
// refresh itself come with the tab's own work.
#include "app/mainformunit.h"

#include "adapters/wmiworks.h"

void TForm1::BuildNetworkConfigurationTab()
{
    HWND page = PageControl1->Page(NetworkConfigurationTab).Handle();
    GroupBox2 = std::make_unique<TGroupBox>(GroupBoxArgs{page, {8, 64, 129, 233}, "Description"});

    LabelArgs description;
    description.parent = GroupBox2->Handle();
    description.bounds = {8, 16, 113, 209};
    description.autoSize = false;
    Label16 = std::make_unique<TLabel>(description);

    LabelArgs link;
    link.parent = GroupBox2->Handle();
    link.bounds = {8, 172, 0, 0};
    link.caption = "Profiles Tab";
    Label22 = std::make_unique<TLinkLabel>(link);
    Label22->onClick = [this] { Label22Click(); };
    // The link lies over the description's last paragraph and must stay clickable.
    Label22->BringToFront();
}

void TForm1::SetDescriptionText()
{
    // Paragraphs are separated the way the text was designed: line feed, carriage return, twice.
    Label16->SetWordWrap(true);
    Label16->SetCaption("Select The Network adapter you want to use by default.\n\r\n\r"
                        "Please note: All profile settings will be applied to the selected Network Adapter.\n\r\n\r"
                        "Tip: If proper Adapter already selected you can go directly to the Profiles Tab to manage "
                        "your network settings and profiles.");
}

void TForm1::refreshdata()
{
    // The query comes first; filling the selector, the property list, the current details
    // and the tray hint from its result comes with the tab's controls.
    AdapterCollection = QueryAdapterConfigurations(WmiServices, IpEnabledOnly);
}

void TForm1::Button1Click()
{
    // Sends the property list's settings to the chosen adapter; comes with the property list.
}
