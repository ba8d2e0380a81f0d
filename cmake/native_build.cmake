# Native build: the core against the simulated Windows, the unit tests and the tools the tests
# use. Sanitizers are on unless SETUP_SANITIZE is switched off.
option(SETUP_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
if(SETUP_FUZZ)
  # Coverage for libFuzzer in everything the targets reach.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(SETUP_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

set(SIM_SOURCES
  src/platform/sim/ini_document.cpp
  src/platform/sim/name_case.cpp
  src/platform/sim/sim_current_folder.cpp
  src/platform/sim/sim_file_removal.cpp
  src/platform/sim/sim_file_tree.cpp
  src/platform/sim/sim_libraries.cpp
  src/platform/sim/sim_machine.cpp
  src/platform/sim/sim_profile_service.cpp
  src/platform/sim/sim_registry.cpp
  src/platform/sim/sim_services.cpp
  src/platform/sim/sim_spooler.cpp
  src/platform/sim/sim_usb_library.cpp
  src/platform/sim/spooler_environment.cpp
  src/platform/sim/wide_text.cpp
)
setup_core_library(setup_core ${SIM_SOURCES})

include(cmake/pkgcheck.cmake)
add_library(pkgcheck_core STATIC ${PKGCHECK_SOURCES} src/pkgcheck/native/sim_package.cpp)
target_link_libraries(pkgcheck_core PUBLIC setup_core)
add_executable(pkgcheck src/pkgcheck/native/native_main.cpp)
target_link_libraries(pkgcheck PRIVATE pkgcheck_core)
set_target_properties(pkgcheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Fuzzing (preset "fuzz", clang): the libFuzzer programs only. Otherwise the corpus replay.
option(SETUP_FUZZ "Build the libFuzzer targets (clang) instead of the tests" OFF)
if(SETUP_FUZZ)
  add_subdirectory(fuzz)
  return()
endif()
add_subdirectory(fuzz)

enable_testing()
add_subdirectory(tests/unit)
find_package(GTest REQUIRED)
add_subdirectory(tests/contract)
add_subdirectory(benchmarks)
add_subdirectory(tests/ini_conformance)
