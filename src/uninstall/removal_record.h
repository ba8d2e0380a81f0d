// The record a removal keeps under SOFTWARE\KESTREL\REMOVAL\<model> of what it is about to
// delete: written before its first change, each entry cleared once its part is gone, so that a
// removal that stopped part-way (a file that could not be deleted, a spooler that refused, a
// process that ended) is finished by the next one, even when nothing of the model is
// registered any more. Values are named "<kind>:<name>" ("file:C:\WINDOWS\system32\A.DLL").
#pragma once

#include <string>

#include "platform/registry_service.h"
#include "uninstall/removal_plan.h"

namespace uninstall {

constexpr const char* kRemovalRecordKey = "SOFTWARE\\KESTREL\\REMOVAL\\";

class RemovalRecord {
 public:
  RemovalRecord(platform::RegistryService& registry, const std::string& model)
      : registry_(registry), path_(kRemovalRecordKey + model) {}

  // What an earlier removal of the model recorded and did not clear (empty when none).
  RemovalList Read() const;
  // Adds every part of the list; false when the record cannot be written.
  bool Write(const RemovalList& list);
  // Clears the entries of the parts that are gone.
  void Clear(const RemovalList& gone);

 private:
  platform::RegistryService& registry_;
  std::string path_;
};

}  // namespace uninstall
