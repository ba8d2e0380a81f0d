// The package's five INI files: present, readable in code page 936, and laid out so that the
// profile reader finds what their author wrote.
#pragma once

#include "pkgcheck/check_context.h"

namespace pkgcheck {

// Reads the files into the context and reports what keeps the reader from seeing them as
// written. A file that is missing or cannot be read stays out of the context; a missing family
// file is reported by the models that need it.
void LoadConfigFiles(CheckContext& context);

}  // namespace pkgcheck
