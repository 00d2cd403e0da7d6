// The General tab's part in the main window's creation: the profile file's path and the
// autostart entry. The tab's controls and handlers come with the tab's own work.
#include "app/mainformunit.h"

#include "profiles/iprofile.h"

void TForm1::SetDefaultProfilePath()
{
    // The path field starts at the default store; its change handler hands the text on.
    Edit1Change();
}

void TForm1::Edit1Change()
{
    // Takes the path field's text; until the field exists, the default path it starts with.
    ProfileIniPath = ProgramFolder() + ProfileIniName;
}

void TForm1::SetGeneralTexts()
{
    // The explanatory texts of the tab's options; set with the tab.
}

void TForm1::ReadAutostartState()
{
    // Reads the "V.M.R." Run entry into "Load on StartUp"; comes with the tab.
}
