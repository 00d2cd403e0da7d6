#include "profiles/shortcut.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

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

// A title as a file name: the characters a name may not hold become "_".
std::string FileNameOf(const std::string& title)
{
    std::string name = title;
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::string("\\/:*?\"<>|").find(c) != std::string::npos) c = '_';
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    return name.empty() ? "Velmora profile" : name;
}
}  // namespace

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
    const std::string path = ShortcutFolder()() + "\\" + FileNameOf(title) + ".lnk";
    CheckHr(file->Save(WideFromAnsi(path).c_str(), TRUE), "IPersistFile::Save");
    return path;
}
