#include "records_package.h"

namespace contract {

bool LoadPackage(const char* /*hostFolder*/) {
  return true;
}

}  // namespace contract
