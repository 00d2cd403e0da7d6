// Choosing an adapter in the selector, remembered for the next start, and the header strip
// over the property list.
#include "app/netconfig_fixture.h"

#include <commctrl.h>

#include <memory>

#include "app/adaptermemory.h"

TEST_F(NetconfigTest, ChoosingAnotherAdapterRefillsOnlyThePropertyList)
{
    Create();
    const size_t queries = QueryCount();
    PressDownInSelector();
    EXPECT_EQ(SelectedEntry(), 1);
    EXPECT_EQ(form->SelectedAdapterIndex, Wireless);
    EXPECT_EQ(GridRows(*form->proplist), (Rows{{" ", " "},
                                               {"MACAddress", "00:1B:21:00:00:07"},
                                               {"IP Address", "10.0.7.100 10.0.7.101 "},
                                               {"IP Subnet Mask", "255.255.255.0 255.255.255.0 "},
                                               {"Default Gateways", "10.0.7.1 "},
                                               {"DNS Servers", "10.0.7.1 "}}));
    EXPECT_TRUE(form->proplist->ReadOnly(1));
    // No new query; the current details and the tip still show the adapter chosen before.
    EXPECT_EQ(QueryCount(), queries);
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("Card:"), "rt640x64");
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("IP:"), "192.168.1.10 ");
    EXPECT_EQ(ShownTip(), "VMR. IP:192.168.1.10 ");

    // The next refresh brings the "DHCP" row back, and the rest follows the new choice.
    form->refreshdata();
    EXPECT_EQ(form->proplist->Values("DHCP"), "Enabled");
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("Card:"), "Netwtw10");
    // One address in the tip, the first; the property list shows both.
    EXPECT_EQ(ShownTip(), "VMR. IP:10.0.7.100 ");
    EXPECT_EQ(SelectedEntry(), 1);
}

TEST_F(NetconfigTest, TypedTextChoosesTheAdapterItDescribes)
{
    struct Case {
        const char* typed;
        int32_t chosen;
    };
    const Case cases[] = {
        {"intel(r) wi-fi 6 ax201 160mhz", Wireless},  // letter case does not matter
        {"Intel(R) Wi-Fi", Wireless},                 // part of a description matches nothing
        {"No such adapter", Wireless},
        {"REALTEK PCIE GBE FAMILY CONTROLLER", Wired},
    };
    Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TypeInSelector(c.typed);
        EXPECT_EQ(form->ComboBox1->Text(), c.typed);
        EXPECT_EQ(form->SelectedAdapterIndex, c.chosen);
        // The list is filled again for the adapter chosen, matched or not.
        const SimAdapter& adapter = *network.Adapter(c.chosen);
        EXPECT_EQ(form->proplist->Values("MACAddress"),
                  std::string(adapter.macAddress.begin(), adapter.macAddress.end()));
        EXPECT_EQ(form->proplist->FindRow("DHCP"), -1);
    }
}

TEST_F(NetconfigTest, SeveralAdaptersDescribedAlikeTheLastOneWins)
{
    network.MutableAdapter(Wireless)->description = L"Realtek PCIe GbE Family Controller";
    Create();
    ASSERT_EQ(form->SelectedAdapterIndex, Wired);
    TypeInSelector(WiredName);
    EXPECT_EQ(form->SelectedAdapterIndex, Wireless);
}

namespace {
class AdapterMemoryTest : public NetconfigTest {
protected:
    // An earlier run on the same network: a main window of its own, in which the user chooses
    // the adapter described `name`. The window is gone when this returns, as the run is.
    void ChooseInAnEarlierRun(const std::string& name)
    {
        const auto earlier = std::make_unique<TForm1>([this] { return network.Services(); });
        form = earlier.get();
        Settle();
        TypeInSelector(name);
        form = nullptr;
    }
    static constexpr char kWirelessSettingId[] = "{5D1C2E3A-2222-4F1A-9C3E-0050B6000007}";
};
}  // namespace

TEST_F(AdapterMemoryTest, TheAdapterChosenInOneRunIsChosenAtTheNextStart)
{
    ChooseInAnEarlierRun(WirelessName);
    Create();
    EXPECT_EQ(form->SelectedAdapterIndex, Wireless);
    EXPECT_EQ(SelectedEntry(), 1);
    EXPECT_EQ(form->proplist->Values("MACAddress"), "00:1B:21:00:00:07");
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("Card:"), "Netwtw10");
    EXPECT_EQ(ShownTip(), "VMR. IP:10.0.7.100 ");
}

// Like a VPN adapter that is not up yet at logon: the start falls back to the first adapter,
// and the earlier choice is kept for a start that lists it again.
TEST_F(AdapterMemoryTest, AnAdapterMissingAtTheNextStartFallsBackToTheFirstAndStaysRemembered)
{
    ChooseInAnEarlierRun(WirelessName);
    network.MutableAdapter(Wireless)->ipEnabled = false;
    Create();
    EXPECT_EQ(form->SelectedAdapterIndex, Wired);
    EXPECT_EQ(SelectedEntry(), 0);
    EXPECT_EQ(ShownTip(), "VMR. IP:192.168.1.10 ");

    TypeInSelector("No such adapter");  // names no adapter, so chooses none
    EXPECT_EQ(RememberedAdapter(), kWirelessSettingId);
    TypeInSelector(WiredName);
    EXPECT_EQ(RememberedAdapter(), "{5D1C2E3A-1111-4F1A-9C3E-0050B6000003}");
}

namespace {
// A drag of the strip's first border, from where it is to `x`, as the mouse does it.
void DragFirstBorder(const THeaderControl& strip, int x)
{
    RECT item{};
    SendMessageA(strip.Handle(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const int y = (item.top + item.bottom) / 2;
    SendMessageA(strip.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.right, y));
    SendMessageA(strip.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(strip.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
}  // namespace

TEST_F(NetconfigTest, GridColumnsFollowTheHeaderStrip)
{
    Create();
    Choose(form->Configuration1);
    SelectTab(TForm1::kNetworkConfigurationTab);
    THeaderControl& strip = *form->HeaderControl1;
    TValueListEditor& grid = *form->proplist;
    ASSERT_EQ(strip.SectionCount(), 2);
    EXPECT_EQ(strip.SectionWidth(0), 150);
    EXPECT_EQ(grid.KeyColumnWidth(), 150);

    DragFirstBorder(strip, 200);
    EXPECT_EQ(strip.SectionWidth(0), 200);
    EXPECT_EQ(grid.KeyColumnWidth(), 200);
    EXPECT_EQ(grid.ValueColumnWidth(), 321 - 200);
    EXPECT_EQ(strip.SectionWidth(1), grid.ValueColumnWidth());

    // A change of the strip's size lines them up the same way.
    strip.SetSectionWidth(0, 120);  // as the program sets it: no drag reported
    EXPECT_EQ(grid.KeyColumnWidth(), 200);
    strip.SetBounds({10, 49, 300, 20});
    EXPECT_EQ(grid.KeyColumnWidth(), 120);
    EXPECT_EQ(strip.SectionWidth(1), 321 - 120);
}
