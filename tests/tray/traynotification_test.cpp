// Balloons from the icon as the notification area receives them, and what becomes of one while
// the icon is not in the notification area.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/notifyrecorder.h"
#include "tray/trayicon.h"
#include "tray/trayiconfield.h"

TEST(TrayNotification, ABalloonIsTheLaterRecordFormWithItsTextsCutAndTheKindsSymbol)
{
    RecordingNotifyArea area;
    TTrayIcon tray(nullptr);
    tray.Loaded();
    const NOTIFYICONDATAA firstForm = tray.Record();
    const std::string title(70, 'T'), text(300, 'x');
    const struct {
        NotificationKind kind;
        size_t titleLength, textLength;
        DWORD infoFlags;
    } cases[] = {{NotificationKind::Info, 5, 5, NIIF_INFO},
                 {NotificationKind::Warning, 63, 255, NIIF_WARNING},
                 {NotificationKind::Error, 70, 300, NIIF_ERROR}};
    for (const auto& c : cases) {
        area.calls.clear();
        EXPECT_TRUE(tray.ShowNotification(title.substr(0, c.titleLength), text.substr(0, c.textLength), c.kind));
        ASSERT_EQ(area.calls.size(), 1u);
        const NOTIFYICONDATAA& r = area.calls[0].record;
        EXPECT_EQ(area.calls[0].message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(r.cbSize, sizeof(void*) == 8 ? 528u : 508u);
        EXPECT_EQ(r.hWnd, tray.MessageWindow());
        EXPECT_EQ(r.uID, 1u);
        EXPECT_EQ(r.uFlags, static_cast<UINT>(NIF_INFO)) << "the icon's image, tip and callback stay";
        EXPECT_EQ(std::string(r.szInfoTitle), title.substr(0, std::min<size_t>(c.titleLength, 63)));
        EXPECT_EQ(std::string(r.szInfo), text.substr(0, std::min<size_t>(c.textLength, 255)));
        EXPECT_EQ(r.dwInfoFlags, c.infoFlags | NIIF_RESPECT_QUIET_TIME);
        EXPECT_EQ(r.uTimeout, 0u);
    }
    // The first-form calls go on as before.
    EXPECT_EQ(std::memcmp(&tray.Record(), &firstForm, sizeof firstForm), 0);
    tray.UpdateTrayIcon();
    EXPECT_EQ(area.calls.back().record.cbSize, sizeof(void*) == 8 ? 104u : 88u);
    EXPECT_EQ(area.calls.back().record.uFlags, 7u);

    // Shift JIS: "\x82\xa0" is one character; the 63 bytes of a 64-byte field end inside the
    // 32nd, which is left out rather than split.
    std::string japanese;
    for (int i = 0; i < 40; ++i)
        japanese += "\x82\xa0";
    char field[64];
    FillTextField(field, sizeof field, japanese, 932);
    japanese.resize(62);
    EXPECT_EQ(std::string(field, sizeof field), japanese + std::string(2, '\0'));
}

TEST(TrayNotification, TheLatestWaitsForAnIconTheShellLacksAndIsDroppedWithARemovedIcon)
{
    bool shellReady = false;
    RecordingNotifyArea area;
    area.answer = [&](DWORD) { return shellReady ? TRUE : FALSE; };
    TTrayIcon tray(nullptr);
    const auto balloons = [&] {
        std::vector<std::string> texts;
        for (const NotifyCall& call : area.calls)
            if (call.record.uFlags & NIF_INFO) texts.push_back(call.record.szInfo);
        return texts;
    };
    // The shell not ready yet: the icon is wanted, and the latest balloon waits for it.
    tray.Loaded();
    EXPECT_FALSE(tray.ShowNotification("Home", "first", NotificationKind::Info));
    EXPECT_FALSE(tray.ShowNotification("Work", "second", NotificationKind::Warning));
    shellReady = true;
    SendMessageA(tray.MessageWindow(), WM_TIMER, TTrayIcon::kAddRetryTimerId, 0);
    EXPECT_EQ(area.calls.end()[-2].message, static_cast<DWORD>(NIM_ADD)) << "the icon first, then its balloon";
    EXPECT_EQ(balloons(), std::vector<std::string>{"second"});

    // Removed on purpose: nothing is shown, then or when the icon is back; one waiting for a
    // restarted shell goes with the icon too.
    tray.SetIconVisible(false);
    EXPECT_FALSE(tray.ShowNotification("Home", "third", NotificationKind::Error));
    tray.SetIconVisible(true);
    shellReady = false;
    SendMessageA(tray.MessageWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_FALSE(tray.ShowNotification("Home", "fourth", NotificationKind::Info));
    tray.SetIconVisible(false);
    shellReady = true;
    tray.SetIconVisible(true);
    EXPECT_EQ(balloons(), std::vector<std::string>{"second"});
}
