#pragma once
// Resource ids shared by the resource script and the code.

// Lowest icon id: the one the shell shows for the program file.
#define IDI_VELMORA 1

#define IDB_LOGO 101        // header logo, 49 x 39
#define IDB_ABOUT 102       // About picture, 175 x 208
#define IDB_TABIMAGES 103   // tab images, 24 x 24, magenta transparent
#define IDB_MENUIMAGES 104  // tray menu images, 16 x 16, magenta transparent
#define IDB_NETWORK 105     // Network Configuration picture, 73 x 57
#define IDB_PROFILEBUTTONS 106  // Profiles tab toolbar pictures, 24 x 24, magenta transparent
#define IDB_PROFILEICONS 107    // Profiles list icons, 64 x 64, magenta transparent
