// Applying a profile from the Profiles tab and from the menus that stand for profiles. Wired
// here; the activation itself comes with its own work.
#include "app/mainformunit.h"

void TForm1::setIP(TMenuItem&) {}

void TForm1::SpeedButton1Click() {}
