// Data exchange of signed integers with edit boxes, and the refusal of a value out of range.
#pragma once
#include "framework/win32/data_exchange.h"

namespace framework {

// Loading writes the decimal value; saving reads the box (see ParseIntegerField) and refuses
// anything that is not an integer with "Please enter an integer.", the focus on the box with
// its text selected, and the rest of the exchange skipped.
void DDX_Text(CDataExchange* dx, int id, int& value);

// Refuses box id because its value does not fit min..max: "Please enter an integer between
// min and max.", then as above.
void DDV_RefuseRange(CDataExchange* dx, int id, int min, int max);

}  // namespace framework
