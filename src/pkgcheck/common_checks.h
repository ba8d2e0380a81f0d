// The common file's other sections: the package version, the supported USB port list and the
// port monitors of each target system.
#pragma once

#include "pkgcheck/check_context.h"

namespace pkgcheck {

// After CheckModels: what the models need decides what must be there.
void CheckPackageVersion(CheckContext& context);
void CheckSupportedUsbPorts(CheckContext& context);
void CheckPortMonitors(CheckContext& context);

}  // namespace pkgcheck
