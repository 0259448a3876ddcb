#pragma once
// The sales document layout with goods codes (see Udyxsd1.h).

#include "Udyxsd1.h"

class TFdyxsd2 : public TFdyxsdLayout {
public:
    TFdyxsd2();
};

extern TFdyxsd2* Fdyxsd2;
