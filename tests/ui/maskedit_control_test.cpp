// The masked edit control driven with the messages a user's typing, keys, clicks and the
// clipboard send, read back through the window's own text and selection.
#include "ui/toolkit.h"

#include <string>
#include <utility>
#include <vector>

#include "ui/maskedit.h"

namespace {
constexpr char kAddressMask[] = "999.999.999.999;1; ";
constexpr char kEmpty[] = "   .   .   .   ";

class MaskEditTest : public ToolkitTest {
protected:
    MaskEditTest() : field({host.Handle(), {8, 8, 137, 21}, kAddressMask}) {}
    ~MaskEditTest() override { ReleaseKeys(); }

    HWND Edit() const { return field.Handle(); }
    std::string Text() const
    {
        char text[64]{};
        GetWindowTextA(Edit(), text, sizeof text);
        return text;
    }
    std::pair<DWORD, DWORD> Selection() const
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void Select(int start, int end) { SendMessageA(Edit(), EM_SETSEL, start, end); }
    void Type(const std::string& keys)
    {
        for (char key : keys)
            SendMessageA(Edit(), WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    void Key(WORD key) { SendMessageA(Edit(), WM_KEYDOWN, key, 1); }
    // Keys held down while the next messages are handled.
    static void HoldKeys(std::initializer_list<int> keys)
    {
        BYTE state[256]{};
        GetKeyboardState(state);
        for (int key : keys)
            state[key] |= 0x80;
        SetKeyboardState(state);
    }
    static void ReleaseKeys()
    {
        BYTE state[256]{};
        GetKeyboardState(state);
        for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU})
            state[key] &= 0x7F;
        SetKeyboardState(state);
    }
    void PutOnClipboard(const std::string& text)
    {
        ASSERT_TRUE(OpenClipboard(host.Handle()));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
    }
    std::string ClipboardText()
    {
        if (!OpenClipboard(host.Handle())) return "<closed>";
        std::string text;
        if (HANDLE memory = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(memory));
            GlobalUnlock(memory);
        }
        CloseClipboard();
        return text;
    }
    // Client coordinates of the middle of character `index`.
    LPARAM PointAt(int index)
    {
        const LRESULT left = SendMessageA(Edit(), EM_POSFROMCHAR, index, 0);
        const LRESULT right = SendMessageA(Edit(), EM_POSFROMCHAR, index + 1, 0);
        return MAKELPARAM((LOWORD(left) + LOWORD(right)) / 2, HIWORD(left) + 2);
    }

    TMaskEdit field;
};
}  // namespace

TEST_F(MaskEditTest, StartsEmptyAndLaysOutTextsPutIn)
{
    EXPECT_EQ(Text(), kEmpty);
    field.SetText("192.168.1.10");
    EXPECT_EQ(Text(), "192.168.1  .10 ");
    SetWindowTextA(Edit(), "10.0.0.1 10.0.0.2 ");
    EXPECT_EQ(Text(), "10 .0  .0  .1 1");
    SetWindowTextA(Edit(), "");
    EXPECT_EQ(Text(), kEmpty);
}

TEST_F(MaskEditTest, TypedAddressSkipsThePoints)
{
    std::vector<std::string> changes;
    field.onChange = [&] { changes.push_back(Text()); };
    Type("192.168.1.10");
    EXPECT_EQ(Text(), "192.168.1  .10 ");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{14}, DWORD{14}));
    EXPECT_EQ(changes.size(), 9u);  // one per digit: these points blanked nothing
    EXPECT_EQ(changes.back(), "192.168.1  .10 ");
}

TEST_F(MaskEditTest, RefusedCharactersChangeNothing)
{
    field.SetText("192.168.1.10");
    Select(4, 4);
    int changes = 0;
    field.onChange = [&] { ++changes; };
    Type("x-/");
    SendMessageA(Edit(), WM_CHAR, 0x00E9, 1);  // a letter beyond ASCII
    EXPECT_EQ(Text(), "192.168.1  .10 ");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{4}, DWORD{4}));
    EXPECT_EQ(changes, 0);
}

TEST_F(MaskEditTest, BackspaceAndDeleteLeaveBlanks)
{
    field.SetText("192.168.1.10");
    Select(4, 4);
    Type("\b");  // backspace arrives as a character
    EXPECT_EQ(Text(), "19 .168.1  .10 ");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{2}));
    Select(8, 8);
    Key(VK_DELETE);
    EXPECT_EQ(Text(), "19 .168.   .10 ");
    EXPECT_EQ(Selection(), std::make_pair(DWORD{8}, DWORD{8}));
}

TEST_F(MaskEditTest, ArrowsSkipThePointsAndShiftSelects)
{
    Select(2, 2);
    Key(VK_RIGHT);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{4}, DWORD{4}));
    Key(VK_LEFT);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{2}));
    HoldKeys({VK_SHIFT});
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{4}));
    Key(VK_LEFT);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{3}));
    HoldKeys({VK_CONTROL});
    Key(VK_RIGHT);  // Ctrl+Shift: on to the next group
    EXPECT_EQ(Selection(), std::make_pair(DWORD{2}, DWORD{4}));
    ReleaseKeys();
    HoldKeys({VK_CONTROL});
    Key(VK_END);
    Key(VK_LEFT);
    EXPECT_EQ(Selection(), std::make_pair(DWORD{12}, DWORD{12}));
}

TEST_F(MaskEditTest, ClicksSkipPointsAndDoubleClicksSelectTheGroup)
{
    field.SetText("192.168.1.10");
    SendMessageA(Edit(), WM_LBUTTONDOWN, MK_LBUTTON, PointAt(3));
    SendMessageA(Edit(), WM_LBUTTONUP, 0, PointAt(3));
    const auto [start, end] = Selection();
    EXPECT_EQ(start, end);
    EXPECT_NE(start, 3u);  // never just before the point
    SendMessageA(Edit(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointAt(5));
    SendMessageA(Edit(), WM_LBUTTONUP, 0, PointAt(5));
    EXPECT_EQ(Selection(), std::make_pair(DWORD{4}, DWORD{7}));
    Type("9");
    EXPECT_EQ(Text(), "192.9  .1  .10 ");
}

TEST_F(MaskEditTest, PastedAddressLandsInItsGroupsAndLettersAreRefused)
{
    field.SetText("10.0.0.1");
    PutOnClipboard("192.168.1.10");
    Select(0, -1);
    SendMessageA(Edit(), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "192.168.1  .10 ");

    PutOnClipboard("gateway");
    Select(0, -1);
    SendMessageA(Edit(), WM_PASTE, 0, 0);
    Type("\x16");  // Ctrl+V
    HoldKeys({VK_SHIFT});
    Key(VK_INSERT);
    EXPECT_EQ(Text(), "192.168.1  .10 ");

    PutOnClipboard("5.6");
    Select(8, 8);
    Type("\x16");
    EXPECT_EQ(Text(), "192.168.5  .6  ");
}

TEST_F(MaskEditTest, CutCopiesTheGroupAndBlanksIt)
{
    field.SetText("192.168.1.10");
    Select(4, 7);
    Type("\x18");  // Ctrl+X
    EXPECT_EQ(ClipboardText(), "168");
    EXPECT_EQ(Text(), "192.   .1  .10 ");
    Type("\x1A");  // Ctrl+Z
    EXPECT_EQ(Text(), "192.168.1  .10 ");
    EXPECT_EQ(SendMessageA(Edit(), EM_CANUNDO, 0, 0), TRUE);
}

TEST_F(MaskEditTest, ReplacedSelectionFollowsThePasteRules)
{
    Select(0, -1);
    SendMessageA(Edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("10.0.0.1"));
    EXPECT_EQ(Text(), "10 .0  .0  .1  ");
    Select(4, 7);
    SendMessageA(Edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    EXPECT_EQ(Text(), "10 .   .0  .1  ");
}
