// Models an entry of the model list names but the printer page never offers (a misspelt suffix,
// entries beyond DEVICENUMBER). Their sections still name USB ports and files; those are no
// fault of their own, so they are counted into the finding of the cause instead of reported.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "pkgcheck/check_context.h"

namespace pkgcheck {

// "USB_<model>_" of each dropped model, with its cause.
std::vector<std::pair<std::string, DroppedModels*>> DroppedUsbPrefixes(CheckContext& context);
// Upper-case names of the values in the dropped models' sections, with their cause.
std::map<std::string, DroppedModels*> NamedByDroppedModels(CheckContext& context);
// The causes' findings, with what follows from them folded in; after every other check.
void ReportDroppedModels(CheckContext& context);

}  // namespace pkgcheck
