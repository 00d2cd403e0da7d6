#include "profiles/starttip.h"

namespace {
FormArgs WelcomeArgs()
{
    FormArgs args;
    args.name = "Form4";
    args.caption = "Welcome to V.M.R.";
    args.bounds = {CW_USEDEFAULT, CW_USEDEFAULT, 322, 179};
    args.borderStyle = TBorderStyle::bsDialog;
    return args;
}
}  // namespace

TForm4::TForm4() : TForm(WelcomeArgs()) { DoCreate(); }
