// The page tests' dialog: the in-memory view that the unattended installation also uses.
#pragma once

#include "ui/memory_dialog_view.h"

namespace testing_support {

using FakeDialogView = ui::MemoryDialogView;

}  // namespace testing_support
