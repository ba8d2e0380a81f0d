# pkgcheck, the package authors' check: the same sources in both builds, with the native
# program reading the package through the simulated Windows and the Windows program through
# the real profile reader.
set(PKGCHECK_SOURCES
  src/pkgcheck/check_context.cpp
  src/pkgcheck/common_checks.cpp
  src/pkgcheck/config_file.cpp
  src/pkgcheck/config_files.cpp
  src/pkgcheck/dropped_models.cpp
  src/pkgcheck/install_plan.cpp
  src/pkgcheck/model_checks.cpp
  src/pkgcheck/model_list.cpp
  src/pkgcheck/package_files.cpp
  src/pkgcheck/plan_output.cpp
  src/pkgcheck/printer_checks.cpp
  src/pkgcheck/registrations.cpp
  src/pkgcheck/report.cpp
  src/pkgcheck/run.cpp
  src/pkgcheck/value_checks.cpp
)
