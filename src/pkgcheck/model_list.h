// The model list of the common file ([DEVICENAME]): the count against the entries present,
// family suffixes (and near misses of them), model names, duplicates and the default model.
#pragma once

#include <string>

#include "pkgcheck/check_context.h"

namespace pkgcheck {

// Fills context.models with the models the printer page offers.
void CheckModelList(CheckContext& context);

// The PrinterType whose family suffix the entry almost carries (a slip of case, spelling or
// hyphen), or -1. Only for entries in which no suffix is found as written.
int NearFamilySuffix(const std::string& entry);

}  // namespace pkgcheck
