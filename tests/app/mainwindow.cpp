#include "app/mainwindow.h"

#include <commctrl.h>

#include "app/adaptermemory.h"
#include "profiles/iprofile.h"

MainWindowTest::MainWindowTest()
{
    m_previousBoxes =
        SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption, UINT flags) {
            boxes.push_back({text, caption, flags});
            return IDOK;
        });
    m_previousShell = SetShellOpen([this](const std::string& address) { opened.push_back(address); });
    servicesHolder = CountingServices::Make(&services);
    UnblockStore();
    DeleteFileA(StorePath().c_str());
    ForgetRememberedAdapter();
}

MainWindowTest::~MainWindowTest()
{
    SetMessageBoxHandler(m_previousBoxes);
    SetShellOpen(m_previousShell);
    UnblockStore();
    DeleteFileA(StorePath().c_str());
    ForgetRememberedAdapter();
}

TForm1& MainWindowTest::Create(ConnectServicesFunction connect)
{
    if (!connect) connect = [this] { return servicesHolder.Copy(); };
    form = &application.CreateForm<TForm1>(connect);
    // Creation loads the store; start every test from a store nobody has written.
    DeleteFileA(StorePath().c_str());
    return *form;
}

std::string MainWindowTest::StorePath() { return ProgramFolder() + "profiles.ini"; }

bool MainWindowTest::StoreWritten() const { return GetFileAttributesA(StorePath().c_str()) != INVALID_FILE_ATTRIBUTES; }

void MainWindowTest::BlockStore()
{
    DeleteFileA(StorePath().c_str());
    CreateDirectoryA(StorePath().c_str(), nullptr);
}

void MainWindowTest::UnblockStore() { RemoveDirectoryA(StorePath().c_str()); }

void MainWindowTest::Choose(TMenuItem* item)
{
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
}

void MainWindowTest::Click(const TButton& button) { SendMessageA(button.Handle(), BM_CLICK, 0, 0); }

void MainWindowTest::CloseButton() { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }

LRESULT MainWindowTest::QueryEndSession() { return SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0); }

void MainWindowTest::SelectTab(int index)
{
    HWND tabs = form->PageControl1->Handle();
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

int MainWindowTest::SelectedTab() const
{
    return static_cast<int>(SendMessageA(form->PageControl1->Handle(), TCM_GETCURSEL, 0, 0));
}
