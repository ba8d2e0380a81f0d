// The files of the per-system folders: each file an installation copies is there (matched as
// Windows matches names, without regard to case), reported once however many keys name it;
// and the folders hold nothing that no key can name.
#pragma once

#include "pkgcheck/check_context.h"

namespace pkgcheck {

// Lists the per-system folders into the context.
void ListSystemFolders(CheckContext& context);
// After every check that records file uses.
void CheckPackageFiles(CheckContext& context);

}  // namespace pkgcheck
