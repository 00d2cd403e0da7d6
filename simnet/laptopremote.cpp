#include "simnet/laptopremote.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

#include "simnet/simplaces.h"

namespace {
// One event per program folder: a build's copy and an installed one are different laptops.
std::wstring EventName(const std::string& programFolder)
{
    uint32_t hash = 2166136261u;  // FNV-1a over the folder, letter case aside as Windows' paths
    for (const char c : programFolder) {
        hash ^= static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        hash *= 16777619u;
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Velmora-simnet-laptop-%08X", hash);
    return name;
}

std::string RequestFile(const std::string& programFolder) { return programFolder + "velmora-simnet.laptop"; }
}  // namespace

bool SendLaptopRequest(const std::string& programFolder, const std::string& request)
{
    const UniqueHandle requested(OpenEventW(EVENT_MODIFY_STATE, FALSE, EventName(programFolder).c_str()));
    if (!requested) return false;
    {
        const UniqueFile file(CreateFileA(RequestFile(programFolder).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.get(), request.data(), static_cast<DWORD>(request.size()), &written, nullptr))
            return false;
    }
    return SetEvent(requested.get()) != FALSE;
}

LaptopRemote::LaptopRemote(SimNetwork network, const std::string& programFolder, DWORD flapWithinMs)
    : m_network(std::move(network)), m_requestFile(RequestFile(programFolder)), m_flapWithinMs(flapWithinMs),
      m_requested(CreateEventW(nullptr, FALSE, FALSE, EventName(programFolder).c_str())),
      m_stop(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    // Without its events the laptop just stays where it is.
    if (m_requested && m_stop) m_thread.reset(CreateThread(nullptr, 0, &LaptopRemote::Thread, this, 0, nullptr));
}

LaptopRemote::~LaptopRemote()
{
    if (m_thread) {
        m_network.HurryMoves();
        SetEvent(m_stop.get());
        WaitForSingleObject(m_thread.get(), INFINITE);
    }
    DeleteFileA(m_requestFile.c_str());
}

DWORD WINAPI LaptopRemote::Thread(void* self)
{
    static_cast<LaptopRemote*>(self)->Serve();
    return 0;
}

void LaptopRemote::Serve()
{
    const HANDLE handles[] = {m_stop.get(), m_requested.get()};
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        const UniqueFile file(CreateFileA(m_requestFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        char text[128] = {};
        DWORD read = 0;
        if (!file || !ReadFile(file.get(), text, sizeof text - 1, &read, nullptr)) continue;
        // Nobody to tell on this thread: a request that fails leaves the laptop where it got to.
        try {
            Take(std::string(text, read));
        } catch (const std::exception&) {
        }
    }
}

void LaptopRemote::Take(const std::string& request)
{
    const size_t space = request.find(' ');
    if (space == std::string::npos) return;
    const std::string verb = request.substr(0, space), argument = request.substr(space + 1);
    if (verb == "move") MoveLaptop(m_network, argument);
    if (verb == "flap") FlapLink(m_network, std::atoi(argument.c_str()), m_flapWithinMs);
}
