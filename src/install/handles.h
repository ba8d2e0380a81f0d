// Owning wrappers for the handles the installation engine opens: each closes or frees what it
// holds when it goes out of scope, so that every path of an operation releases what it took.
#pragma once

#include "platform/service_control.h"
#include "platform/spooler_service.h"

namespace install {

// A printer handle from AddPrinterA or OpenPrinterA.
class PrinterHandle {
 public:
  explicit PrinterHandle(platform::SpoolerService& spooler, HANDLE handle = nullptr)
      : spooler_(spooler), handle_(handle) {}
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  ~PrinterHandle() { Close(); }

  HANDLE get() const { return handle_; }
  HANDLE* receive() { return &handle_; }
  void Close() {
    if (handle_ != nullptr) {
      spooler_.ClosePrinter(handle_);
      handle_ = nullptr;
    }
  }

 private:
  platform::SpoolerService& spooler_;
  HANDLE handle_;
};

// A handle of the service control manager or of a service.
class ServiceHandle {
 public:
  ServiceHandle(platform::ServiceControl& services, SC_HANDLE handle)
      : services_(services), handle_(handle) {}
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;
  ~ServiceHandle() { Close(); }

  SC_HANDLE get() const { return handle_; }
  void Close() {
    if (handle_ != nullptr) {
      services_.CloseServiceHandle(handle_);
      handle_ = nullptr;
    }
  }

 private:
  platform::ServiceControl& services_;
  SC_HANDLE handle_;
};

}  // namespace install
