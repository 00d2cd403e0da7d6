// Each window's access keys (the letters its captions mark with "&": labels, group captions,
// buttons, check boxes and tabs) are unique within the window, so each key reaches one place.
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/mainwindow.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"
#include "ui/label.h"
#include "ui/labelfor.h"
#include "ui/pagecontrol.h"

namespace {
// The captions of `window` and of all it holds, painted or windowed.
void CollectCaptions(const TWinControl& window, std::vector<std::string>& captions)
{
    for (const TGraphicControl* graphic : window.GraphicChildren()) {
        if (dynamic_cast<const TLabel*>(graphic) != nullptr) captions.push_back(graphic->Text());
    }
    for (TWinControl* child : window.WindowedChildren()) {
        if (auto* pages = dynamic_cast<TPageControl*>(child)) {
            for (int i = 0; i < pages->PageCount(); ++i)
                captions.push_back(pages->Page(i).Caption());
        }
        char className[32]{};
        if (child->HandleAllocated()) GetClassNameA(child->Handle(), className, sizeof className);
        if (_stricmp(className, "Button") == 0) captions.push_back(child->Text());
        CollectCaptions(*child, captions);
    }
}

// The captions that share an access key, by key; empty when every key is unique.
std::map<char, std::vector<std::string>> SharedKeys(const TWinControl& window)
{
    std::vector<std::string> captions;
    CollectCaptions(window, captions);
    std::map<char, std::vector<std::string>> byKey;
    for (const std::string& caption : captions) {
        if (const char key = AccessKeyOf(caption)) byKey[key].push_back(caption);
    }
    std::erase_if(byKey, [](const auto& entry) { return entry.second.size() < 2; });
    return byKey;
}

using AccessKeysTest = MainWindowTest;
}  // namespace

TEST_F(AccessKeysTest, AreUniqueInEachWindow)
{
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=A\r\n");
    TForm4 welcome;
    welcome.ShowChildren();
    const std::pair<const char*, TWinControl*> windows[] = {
        {"main window", form}, {"profile editor", Form2}, {"welcome dialog", &welcome}};
    for (const auto& [name, window] : windows) {
        SCOPED_TRACE(name);
        window->ShowChildren();  // the controls are made when first shown
        EXPECT_TRUE(SharedKeys(*window).empty()) << testing::PrintToString(SharedKeys(*window));
    }
}
