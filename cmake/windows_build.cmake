# Windows build: Setup.exe and the Windows-side test programs. Static runtime, ANSI calls,
# subsystem version 4.0 so that Windows 98 and NT 4 load the program.
add_compile_definitions(WINVER=0x0500 _WIN32_WINNT=0x0500 _WIN32_IE=0x0400)
# Each function and datum in a section of its own, so that the linker drops what nothing uses:
# the portable core serves pkgcheck and the tests too, and Setup.exe must stay small.
add_compile_options(-ffunction-sections -fdata-sections)
set(SETUP_WINDOWS_LINK -static -static-libgcc -static-libstdc++ -Wl,--gc-sections
    -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0)

setup_core_library(setup_core_win)
target_link_libraries(setup_core_win PUBLIC winspool)

# The licence agreement: an RTF document in code page 936, made from its UTF-8 text, and the
# English one in code page 1252.
set(LICENCE_RTF ${CMAKE_BINARY_DIR}/generated/licence.rtf)
add_custom_command(OUTPUT ${LICENCE_RTF}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND python3 ${PROJECT_SOURCE_DIR}/resources/make_licence_rtf.py
          ${PROJECT_SOURCE_DIR}/resources/licence.txt ${LICENCE_RTF}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/licence.txt
          ${PROJECT_SOURCE_DIR}/resources/make_licence_rtf.py
  VERBATIM)
set(LICENCE_RTF_ENGLISH ${CMAKE_BINARY_DIR}/generated/licence_en.rtf)
add_custom_command(OUTPUT ${LICENCE_RTF_ENGLISH}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND python3 ${PROJECT_SOURCE_DIR}/resources/make_licence_rtf.py
          ${PROJECT_SOURCE_DIR}/resources/licence_en.txt ${LICENCE_RTF_ENGLISH} --english
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/licence_en.txt
          ${PROJECT_SOURCE_DIR}/resources/make_licence_rtf.py
  VERBATIM)

add_executable(Setup WIN32
  src/app/win32/file_log.cpp
  src/main/win32/main.cpp
  src/main/win32/terminate_handler.cpp
  src/main/win32/library_errors.cpp
  src/app/win32/wizard_dialog.cpp
  src/ui/win32/color_label.cpp
  src/ui/win32/dialog.cpp
  src/ui/win32/page_dialog.cpp
  src/ui/win32/page_key_filter.cpp
  src/ui/win32/rich_text.cpp
  src/ui/win32/win32_dialog_view.cpp
  resources/setup.rc
  ${LICENCE_RTF}
  ${LICENCE_RTF_ENGLISH}
)
target_link_libraries(Setup PRIVATE setup_core_win comctl32 ole32 shell32)
# Release builds ship without symbols.
target_link_options(Setup PRIVATE ${SETUP_WINDOWS_LINK} $<$<CONFIG:MinSizeRel,Release>:-s>
  -Wl,-Map,${CMAKE_BINARY_DIR}/Setup.map)
set_target_properties(Setup PROPERTIES OUTPUT_NAME Setup RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set_property(SOURCE resources/setup.rc APPEND PROPERTY OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/resources/message_texts.inc ${LICENCE_RTF} ${LICENCE_RTF_ENGLISH})
target_include_directories(Setup PRIVATE ${PROJECT_SOURCE_DIR}/resources ${PROJECT_SOURCE_DIR}/src
  ${CMAKE_BINARY_DIR}/generated)

# pkgcheck.exe, the package authors' check, shipped beside Setup.exe (a console program).
include(cmake/pkgcheck.cmake)
add_executable(pkgcheck ${PKGCHECK_SOURCES}
  src/platform/sim/ini_document.cpp
  src/platform/sim/name_case.cpp
  src/pkgcheck/win32/win32_main.cpp
  src/pkgcheck/win32/win32_package.cpp
)
target_link_libraries(pkgcheck PRIVATE setup_core_win)
target_link_options(pkgcheck PRIVATE ${SETUP_WINDOWS_LINK} $<$<CONFIG:MinSizeRel,Release>:-s>)
set_target_properties(pkgcheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Before the package layout, which collects the DLLs it puts into the package.
add_subdirectory(packagedlls)
include(cmake/windows_gtest.cmake)
add_subdirectory(tests/contract)
add_subdirectory(benchmarks)
add_subdirectory(tests/e2e/driver)
add_subdirectory(tests/ini_conformance)
add_subdirectory(tests/usb)
add_subdirectory(usbsim)
# The documented answers file of installations without windows, beside Setup.exe.
set_property(GLOBAL APPEND PROPERTY SETUP_PACKAGE_SOURCE_FILES
  "package-src/answers.example.ini=answers.example.ini")
include(cmake/package_layout.cmake)
