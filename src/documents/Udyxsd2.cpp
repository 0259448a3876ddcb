#include "Udyxsd2.h"

TFdyxsd2* Fdyxsd2 = nullptr;

TFdyxsd2::TFdyxsd2() : TFdyxsdLayout(columnsWithCodes()) {}
