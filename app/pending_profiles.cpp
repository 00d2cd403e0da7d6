// STAND-IN for the profile store, to be deleted when it is merged (see pending_profiles.h).
#include "app/pending_profiles.h"

#include <windows.h>

#include "core/check.h"
#include "core/handles.h"

TListItems* ProfileList = nullptr;
std::string ProfileIniPath;
std::string ProfileIniName = "profiles.ini";

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

void LoadProfiles() {}

void SaveProfiles()
{
    UniqueFile file(CreateFileA((ProgramFolder() + "profiles.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    CheckWin32(static_cast<bool>(file));
}
