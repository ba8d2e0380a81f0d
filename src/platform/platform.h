// The platform seam: one interface per Windows service. The core receives a Platform and never
// calls Windows directly; win32/ implements it with the real API, sim/ with a simulated machine.
#pragma once

#include "platform/file_service.h"
#include "platform/library_service.h"
#include "platform/profile_service.h"
#include "platform/registry_service.h"
#include "platform/service_control.h"
#include "platform/spooler_service.h"
#include "platform/system_service.h"
#include "platform/user_service.h"

namespace platform {

struct Platform {
  ProfileService& profile;
  FileService& files;
  SystemService& system;
  UserService& user;
  RegistryService& registry;
  SpoolerService& spooler;
  ServiceControl& services;
  LibraryService& libraries;
};

}  // namespace platform
