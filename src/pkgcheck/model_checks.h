// Every model the printer page offers, for every target system it can be installed on and both
// driver flavours: its sections and keys, the files its installation copies, and what it
// registers, compared across models so that one installation cannot undo another.
#pragma once

#include "pkgcheck/check_context.h"

namespace pkgcheck {

void CheckModels(CheckContext& context);

}  // namespace pkgcheck
