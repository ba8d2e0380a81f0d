# The portable core: everything that decides what the installer does. It sees Windows only
# through src/platform/*.h and never includes <windows.h> itself.
set(CORE_SOURCES
  src/pages/mode_page.cpp
  src/pages/os_page.cpp
  src/app/setup_wizard.cpp
  src/install/target_system.cpp
  src/app/wizard_flow.cpp
  src/app/wizard_parts.cpp
  src/config/code_page.cpp
  src/config/decimal.cpp
  src/config/dependent_files.cpp
  src/config/dev_mode_block.cpp
  src/config/driver_config.cpp
  src/config/driver_records.cpp
  src/config/family_suffix.cpp
  src/config/model_entry.cpp
  src/config/port_options.cpp
  src/config/printer_record.cpp
  src/config/section_names.cpp
  src/config/text_buffer.cpp
  src/install/default_printer.cpp
  src/install/driver_file.cpp
  src/install/final_message.cpp
  src/install/in_place_update.cpp
  src/install/install_sequence.cpp
  src/install/model_files.cpp
  src/install/package_files.cpp
  src/install/port_entry.cpp
  src/install/port_monitors.cpp
  src/install/print_processor.cpp
  src/install/printer_queue.cpp
  src/install/spooler_control.cpp
  src/install/spooler_keys.cpp
  src/install/spooler_requests.cpp
  src/install/unidrv_files.cpp
  src/install/usb_check.cpp
  src/language/language.cpp
  src/messages/message_box.cpp
  src/pages/licence_page.cpp
  src/pages/port_page.cpp
  src/pages/printer_page.cpp
  src/ports/port_kind.cpp
  src/ports/port_list.cpp
  src/ports/serial_dcb.cpp
  src/ports/serial_settings.cpp
  src/ports/serial_settings_writer.cpp
  src/ports/usb_identity.cpp
  src/ports/usb_port_name.cpp
  src/registry/install_record_store.cpp
  src/registry/registry_key.cpp
  src/unattended/answering_user_service.cpp
  src/unattended/answers_file.cpp
  src/unattended/command_line.cpp
  src/app/page_walk.cpp
  src/app/unattended_install.cpp
  src/unattended/unattended_uninstall.cpp
  src/uninstall/file_removal.cpp
  src/uninstall/inventory.cpp
  src/uninstall/names.cpp
  src/uninstall/package_components.cpp
  src/uninstall/removal.cpp
  src/uninstall/removal_plan.cpp
  src/uninstall/removal_texts.cpp
  src/uninstall/spooler_lists.cpp
)

function(setup_core_library name)
  add_library(${name} STATIC ${CORE_SOURCES} ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PUBLIC ${SETUP_WARNINGS} ${SETUP_CHARSET})
endfunction()
