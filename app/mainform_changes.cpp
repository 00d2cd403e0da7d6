// What the main window does for changes: it makes the change controller and the pipeline behind
// it and joins them to its parts; makes the first connection to WMI; takes "Apply Changes" of the
// Network Configuration tab in its turn; and, while a change runs, shows it (the tray tip, the
// busy cursor) and asks Windows to let it end before the session does.
#include <windows.h>

#include <exception>
#include <string>
#include <utility>

#include "adapters/wmiworks.h"
#include "app/elevation.h"
#include "app/mainformunit.h"
#include "app/console.h"
#include "core/errorbox.h"
#include "core/handles.h"
#include "core/text.h"
#include "profiles/undorecord.h"
#include "tray/trayicon.h"

namespace {
ShutdownBlockFunction g_shutdownBlock;

void BlockShutdown(HWND window, const std::optional<std::string>& reason)
{
    if (g_shutdownBlock) {
        g_shutdownBlock(window, reason);
    } else if (reason) {
        ShutdownBlockReasonCreate(window, WideFromAnsi(*reason).c_str());
    } else {
        ShutdownBlockReasonDestroy(window);
    }
}
}  // namespace

ShutdownBlockFunction SetShutdownBlock(ShutdownBlockFunction function)
{
    return std::exchange(g_shutdownBlock, std::move(function));
}

void TForm1::BuildChanges()
{
    Pipeline = std::make_unique<ChangePipeline>(m_connectServices, [window = Handle()](const ElevatedChange& change) {
        return RunChangeElevated(window, change);
    });
    Changes = std::make_unique<ChangeController>(ReadUndoRecord());
    Pipeline->onProgress = [this] { Changes->ShowProgress(Pipeline->Progress()); };
    Pipeline->onEnded = [this](const ChangeRequest& request, const ChangeOutcome& outcome) {
        Changes->Ended(request, outcome);
    };
    Pipeline->onFailed = [this](const ChangeRequest& request, std::exception_ptr error) {
        Changes->Failed(request, error);
    };
    Changes->prepare = [this](const ChangeAsk& ask) {
        return ask.kind == ChangeAsk::Kind::Details ? PrepareDetails(ask) : Profiles->PrepareChange(ask);
    };
    Changes->start = [this](const ChangeRequest& request) { Pipeline->Start(request); };
    Changes->onEnded = [this](ChangeAnswer& answer) { Profiles->ChangeEnded(answer); };
    Changes->onNotify = [this](const ChangeNotice& notice) { ShowNotification(notice); };
    Changes->onEnd = [this] { return EndProgram(); };
    Changes->onStateChanged = [this] { ChangeStateChanged(); };
}

void TForm1::Connect()
{
    // The connection made on a thread of its own lets the service start; the window's own,
    // made here once it has answered, finds it running.
    m_work.Background([connect = m_connectServices] { connect(); },
                      [this](std::exception_ptr raised) {
                          try {
                              if (raised) std::rethrow_exception(raised);
                              WmiServices = m_connectServices();
                              refreshdata();
                          } catch (...) {
                              // Whatever failed, requests stop waiting; they meet the failure themselves.
                              Changes->Connected();
                              throw;
                          }
                          Changes->Connected();
                          Places->Start();
                      },
                      // At logon Windows may hold the call for minutes: an Exit meanwhile does not wait for it.
                      LoopWork::AtEnd::Leave);
}

void TForm1::ChangeStateChanged()
{
    const bool busy = Changes->Busy();
    if (busy && !m_busyCursor) m_busyCursor.emplace(TCursor::crAppStart);
    if (!busy) m_busyCursor.reset();
    // The pipeline names what it does as soon as it starts. The tip says it while Windows works
    // (the refresh after it puts the address back); and a change under way is not cut off by
    // the end of the session: Windows is told why it should wait ("ShutdownBlockReasonCreate":
    // call it as an operation that must not be interrupted begins, and ShutdownBlockReasonDestroy
    // once it has completed).
    if (busy && !Changes->Progress().empty()) {
        TrayIcon1->SetHint(Changes->Progress());
        if (m_shutdownBlockedFor != Changes->Progress()) BlockShutdown(Handle(), Changes->Progress());
        m_shutdownBlockedFor = Changes->Progress();
    } else if (!busy && m_shutdownBlockedFor) {
        BlockShutdown(Handle(), std::nullopt);
        m_shutdownBlockedFor.reset();
    }
}

std::optional<std::string> TForm1::EndProgram()
{
    ExitRequested = true;
    // Saved first, so that whoever asked hears the truth: a program that cannot save its
    // profiles does not end, and says why; a start of its own with --once ends all the same,
    // and its console says what was not saved.
    try {
        SaveConfirmedProfiles();
    } catch (const std::exception& error) {
        if (!m_endUnsaved) {
            ReportError(std::current_exception(), ErrorShown::Later);
            return error.what();
        }
        WriteToConsole(error.what());
    }
    m_saved = true;
    ScopeExit closed([this] { m_saved = false; });
    Close();
    return std::nullopt;
}

bool TForm1::WorkPending() const noexcept
{
    return m_work.Pending() || (Pipeline && Pipeline->Pending()) || (Profiles && Profiles->Pending());
}

void TForm1::Button1Click()
{
    // A value still open for editing counts as what stands in its row.
    proplist->EndEdit(true);
    ChangeAsk ask;
    ask.kind = ChangeAsk::Kind::Details;
    ask.title = "Apply Changes";
    ask.trigger = "Network Configuration: Apply Changes";
    ask.adapterIndex = SelectedAdapterIndex;
    ask.details = PropertyListSettings();
    // The list then shows what the adapter took, not what was typed and refused.
    ask.answer = [this](const ChangeAnswer& answer) { Profiles->TellLater(answer); };
    Changes->Submit(std::move(ask));
}
