#pragma once

#include <base/owners.h>

namespace base {

// The program's one face in a given character height (negative, as in LOGFONT) and weight.
base::UniqueFont MakeUiFont(int height, int weight);

// The face and the fields every font of the program shares.
LOGFONTA UiLogFont(int height, int weight);

} // namespace base
