// Stands in for the profile editor's opening until the editor's own arrives: every opening
// is cancelled.
#include "app/mainformunit.h"

bool TForm1::OpenProfileEditor(Tprofile*) { return false; }
