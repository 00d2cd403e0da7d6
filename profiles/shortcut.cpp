#include "profiles/shortcut.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cctype>
#include <iterator>
#include <utility>

#include "core/check.h"
#include "core/error.h"
#include "core/handles.h"
#include "core/text.h"

using Microsoft::WRL::ComPtr;

namespace {
ShortcutFolderFunction& ShortcutFolder()
{
    static ShortcutFolderFunction folder = [] {
        UniqueCoTaskMem<PWSTR> path;
        CheckHr(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, path.put()), "SHGetKnownFolderPath");
        return AnsiFromWide(path.get());
    };
    return folder;
}

// The arguments an existing shortcut runs its program with; empty when it cannot be read.
std::wstring ArgumentsOf(const std::string& path)
{
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    wchar_t arguments[2048]{};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(WideFromAnsi(path).c_str(), STGM_READ)))
        link->GetArguments(arguments, static_cast<int>(std::size(arguments)));
    return arguments;
}
}  // namespace

std::string ShortcutFileName(const std::string& title)
{
    std::string name = title;
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::string("\\/:*?\"<>|").find(c) != std::string::npos) c = '_';
    }
    // "Naming Files, Paths, and Namespaces": a name may not end in a space or a period, and the
    // device names are reserved, also followed by an extension ("NUL.txt").
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    if (name.empty()) return "Velmora profile";
    std::string device = name.substr(0, name.find('.'));
    while (!device.empty() && device.back() == ' ')
        device.pop_back();
    for (char& c : device)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool numbered = device.size() == 4 && (device.rfind("COM", 0) == 0 || device.rfind("LPT", 0) == 0) &&
                          device[3] >= '1' && device[3] <= '9';
    if (numbered || device == "CON" || device == "PRN" || device == "AUX" || device == "NUL")
        return name.substr(0, device.size()) + '_' + name.substr(device.size());
    return name;
}

ShortcutFolderFunction SetShortcutFolder(ShortcutFolderFunction folder)
{
    return std::exchange(ShortcutFolder(), std::move(folder));
}

std::wstring QuotedArgument(const std::wstring& argument)
{
    // "Parsing C++ command-line arguments": backslashes are literal unless a quote follows
    // them; then each pair stands for one, and an odd one out escapes the quote.
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

std::string CreateProfileShortcut(const std::string& title, const std::string& target)
{
    wchar_t ownFile[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, ownFile, static_cast<DWORD>(std::size(ownFile)));
    CheckWin32(length > 0 && length < std::size(ownFile), "GetModuleFileNameW");
    const std::wstring programFile = target.empty() ? std::wstring(ownFile) : WideFromAnsi(target);
    const wchar_t* program = programFile.c_str();
    std::wstring folder(programFile);
    folder.erase(folder.find_last_of(L'\\') + 1);

    ComPtr<IShellLinkW> link;
    CheckHr(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)),
            "CoCreateInstance(ShellLink)");
    CheckHr(link->SetPath(program), "IShellLinkW::SetPath");
    CheckHr(link->SetArguments((L"--apply " + QuotedArgument(WideFromAnsi(title))).c_str()),
            "IShellLinkW::SetArguments");
    CheckHr(link->SetWorkingDirectory(folder.c_str()), "IShellLinkW::SetWorkingDirectory");
    CheckHr(link->SetIconLocation(program, 0), "IShellLinkW::SetIconLocation");
    CheckHr(link->SetDescription(WideFromAnsi("Applies the Velmora profile " + title).c_str()),
            "IShellLinkW::SetDescription");
    ComPtr<IPersistFile> file;
    CheckHr(link.As(&file), "IShellLinkW::QueryInterface(IPersistFile)");
    // A file of the same name that applies another profile (a title that differs only in letter
    // case, or in characters a name may not hold) is that profile's: this one takes a name of
    // its own; its own earlier shortcut is replaced.
    const std::wstring arguments = L"--apply " + QuotedArgument(WideFromAnsi(title));
    const std::string base = ShortcutFolder()() + "\\" + ShortcutFileName(title);
    std::string path = base + ".lnk";
    for (int copy = 2; GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && ArgumentsOf(path) != arguments;
         ++copy) {
        // Appended piece by piece: GCC 12 sees a false overlap in a chain of temporaries.
        path = base;
        path += " (";
        path += std::to_string(copy);
        path += ").lnk";
    }
    CheckHr(file->Save(WideFromAnsi(path).c_str(), TRUE), "IPersistFile::Save");
    return path;
}
