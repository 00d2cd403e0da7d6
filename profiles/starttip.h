#pragma once
// TForm4, the welcome dialog of the first start. Created hidden at program start; its
// controls and behaviour come with the Profiles tab's first-start work.
#include "ui/form.h"

class TForm4 : public TForm {
public:
    TForm4();
};
