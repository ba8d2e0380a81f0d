// The port page's controls (dialog 132) that the port list sets. The dialog template creates
// the port list 1049 sorted (CBS_SORT) and the five serial lists unsorted.
#pragma once

namespace ports {

constexpr int kPortListControl = 1049;
constexpr int kBaudListControl = 1041;
constexpr int kDataBitsListControl = 1042;
constexpr int kParityListControl = 1043;
constexpr int kStopBitsListControl = 1044;
constexpr int kFlowControlListControl = 1045;
constexpr int kRasterCheckControl = 1052;  // raster-bitmap printing: RasterFlag
constexpr int kUsbHintControl = 1065;      // "connect the printer and its USB driver" hint

constexpr int kSerialListControls[] = {kBaudListControl, kDataBitsListControl, kParityListControl,
                                       kStopBitsListControl, kFlowControlListControl};

}  // namespace ports
