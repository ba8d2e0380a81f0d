// pkgcheck --plan: what installing one model on one target system would do, printed without
// touching any system.
#pragma once

#include <string>

#include "pkgcheck/check_context.h"

namespace pkgcheck {

// Returns 0 when the plan was printed, 2 when the model or system is unknown.
// With json, the plan as a JSON object (see README, "Checking a package").
int PrintPlan(CheckContext& context, const std::string& model, const std::string& system,
              TextConverter convert, std::string& out, bool json = false);

// The TargetOs a name stands for ("98", "NT", "2K", "XP", "2003", "Windows XP", ...), or -1.
int ParseSystem(const std::string& name);

}  // namespace pkgcheck
