#pragma once
// STAND-IN, to be deleted when the profile store (profiles/iprofile.h, ui/listitems.h) is
// merged: the few declarations of it that the main window uses, so the window builds and its
// save-on-close can be tested meanwhile. Nothing else may include this file.
#include <string>

class TListItems {
public:
    int Count() const { return 0; }
    void Clear() {}
};

extern TListItems* ProfileList;
extern std::string ProfileIniPath;
extern std::string ProfileIniName;

std::string ProgramFolder();
void LoadProfiles();
// Writes an empty ProgramFolder() + "profiles.ini"; raises AppError when it cannot.
void SaveProfiles();
