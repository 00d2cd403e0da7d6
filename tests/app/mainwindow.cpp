#include "app/mainwindow.h"

#include "app/adaptermemory.h"
#include "profiles/iprofile.h"
#include "profiles/undorecord.h"
#include "support/simcalls.h"
#include "support/tempfolder.h"

MainWindowTest::MainWindowTest()
{
    UnblockStore();
    DeleteFileA(StorePath().c_str());
    ForgetRememberedAdapter();
    ForgetUndoRecord();
}

MainWindowTest::~MainWindowTest()
{
    UnblockStore();
    DeleteFileA(StorePath().c_str());
    ForgetRememberedAdapter();
    ForgetUndoRecord();
}

TForm1& MainWindowTest::Create(ConnectServicesFunction connect)
{
    if (!connect) connect = [this] { return network.Services(); };
    form = &application.CreateForm<TForm1>(connect);
    Settle();
    // Creation loads the store; start every test from a store nobody has written.
    DeleteFileA(StorePath().c_str());
    return *form;
}

void MainWindowTest::StartOnProfilesTab(const std::string& store)
{
    WriteFileBytes(StorePath(), store);
    form = &application.CreateForm<TForm1>([this] { return network.Services(); });
    Choose(form->Configuration1);
}

std::string MainWindowTest::StorePath() { return ProgramFolder() + "profiles.ini"; }

bool MainWindowTest::StoreWritten() const { return GetFileAttributesA(StorePath().c_str()) != INVALID_FILE_ATTRIBUTES; }

void MainWindowTest::BlockStore()
{
    DeleteFileA(StorePath().c_str());
    CreateDirectoryA(StorePath().c_str(), nullptr);
}

void MainWindowTest::UnblockStore() { RemoveDirectoryA(StorePath().c_str()); }

std::vector<std::string> MainWindowTest::Notifications() const
{
    std::vector<std::string> shown;
    for (const NotifyCall& call : area.calls)
        if ((call.record.uFlags & NIF_INFO) != 0) shown.push_back(call.record.szInfoTitle);
    return shown;
}

std::string MainWindowTest::ShownTip() const
{
    for (auto call = area.calls.rbegin(); call != area.calls.rend(); ++call) {
        // A notification's own call names NIF_INFO alone and leaves the tip as it was.
        if ((call->message == NIM_ADD || call->message == NIM_MODIFY) && (call->record.uFlags & NIF_TIP) != 0)
            return call->record.szTip;
    }
    return {};
}

size_t MainWindowTest::QueryCount() const { return ::QueryCount(network); }
