#pragma once
// Resource ids shared by the resource script and the code.

// Lowest icon id: the one the shell shows for the program file.
#define IDI_VELMORA 1

#define IDB_LOGO 101            // header logo, 49 x 39
#define IDB_ABOUT 102           // About picture, 175 x 208
#define IDB_TABIMAGES 103       // tab images, 24 x 24, magenta transparent
#define IDB_MENUIMAGES 104      // tray menu images, 16 x 16, magenta transparent
#define IDB_NETWORK 105         // Network Configuration picture, 73 x 57
#define IDB_PROFILEBUTTONS 106  // Profiles tab toolbar pictures, 24 x 24, magenta transparent
#define IDB_PROFILEICONS 107    // Profiles list icons, 64 x 64, magenta transparent

// The same pictures and strips for 150% and 200% display scaling, drawn from the same sources
// at the scaled sizes (the 96-DPI size times 1.5 and 2, as MulDiv rounds).
#define IDB_LOGO_150 111
#define IDB_LOGO_200 121
#define IDB_ABOUT_150 112
#define IDB_ABOUT_200 122
#define IDB_TABIMAGES_150 113
#define IDB_TABIMAGES_200 123
#define IDB_MENUIMAGES_150 114
#define IDB_MENUIMAGES_200 124
#define IDB_NETWORK_150 115
#define IDB_NETWORK_200 125
#define IDB_PROFILEBUTTONS_150 116
#define IDB_PROFILEBUTTONS_200 126
#define IDB_PROFILEICONS_150 117
#define IDB_PROFILEICONS_200 127
