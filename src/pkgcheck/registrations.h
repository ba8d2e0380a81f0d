// What the models register with the spooler, compared across models and flavours: a driver
// name or print processor that two of them register with different files would be replaced by
// whichever is installed last.
#pragma once

#include <string>
#include <vector>

#include "pkgcheck/check_context.h"
#include "pkgcheck/install_plan.h"

namespace pkgcheck {

class Registrations {
 public:
  void AddDriver(const Where& where, const Model& model, const InstallPlan& plan);
  void AddProcessor(const Where& where, const Model& model, const InstallPlan& plan);
  // One finding per name registered differently on the same system.
  void Report(CheckContext& context) const;

 private:
  struct Use {
    int targetOs;
    std::string name;     // upper case: the spooler matches names without regard to case
    std::string content;  // what is registered under the name
    Where where;
    std::string by;  // "TP-R80 (STD)"
  };
  std::vector<Use> drivers_;
  std::vector<Use> processors_;
};

}  // namespace pkgcheck
