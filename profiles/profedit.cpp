#include "profiles/profedit.h"

namespace {
FormArgs EditorArgs(HWND owner)
{
    FormArgs args;
    args.name = "Form2";
    args.caption = "Profile";
    args.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, 305, 351};
    args.borderStyle = TBorderStyle::bsDialog;
    args.owner = owner;
    return args;
}
}  // namespace

TForm2::TForm2(HWND owner) : TForm(EditorArgs(owner)) { DoCreate(); }
