// The integer results the installation engine's operations hand back, and the UpdateFlags bits
// that say which installed port monitor or print processor is older than the package's.
#pragma once

namespace install {

// Plain results of most operations.
constexpr int kFailed = 0;
constexpr int kSucceeded = 1;

// UpdateFlags bits, collected from the two checks and handed to InPlaceUpdate.
constexpr int kSerialMonitorOlder = 1;
constexpr int kUsbMonitorOlder = 2;
constexpr int kProcessorOlder = 8;

// Check results that end the installation (their message has been shown).
constexpr int kMonitorAddFailed = -15;
constexpr int kProcessorAddFailed = -14;

}  // namespace install
