// Resource and control ids shared by the resource script and the program.
#pragma once

// The English dialogs, strings and documents carry the Chinese id plus this offset, so the program
// picks its language itself instead of leaving it to the system's resource-language fallback.
#define ENGLISH_RESOURCE_OFFSET 1000

// Dialog templates.
#define IDD_ABOUT 100
#define IDD_WIZARD 102
#define IDD_OS_PAGE 130
#define IDD_PRINTER_PAGE 131
#define IDD_PORT_PAGE 132
#define IDD_LICENCE_PAGE 133
#define IDD_MODE_PAGE 137

// Pictures and documents.
#define IDI_PROGRAM 128
#define IDB_SIDE_PICTURE 136
#define IDR_LICENCE_RTF 140

// Wizard frame controls.
#define IDC_NEXT_FINISH 1
#define IDC_CANCEL_WIZARD 2
#define IDC_PAGE_FRAME 1001
#define IDC_BACK 1002
#define IDC_SIDE_PICTURE 1003
#define IDC_HELP_HINT 1004

// OS page radio buttons.
#define IDC_OS_WIN98 1026
#define IDC_OS_NT4 1027
#define IDC_OS_WIN2000 1028
#define IDC_OS_WINXP 1029
#define IDC_OS_SERVER2003 1075

// Printer page: family radio buttons, their model lists, the default-printer box.
#define IDC_FAMILY_RECEIPT 1019
#define IDC_FAMILY_TICKET 1020
#define IDC_FAMILY_LABEL 1021
#define IDC_FAMILY_EMBEDDED 1073
#define IDC_MODELS_RECEIPT 1030
#define IDC_MODELS_TICKET 1031
#define IDC_MODELS_LABEL 1032
#define IDC_MODELS_EMBEDDED 1074
#define IDC_SET_DEFAULT 1046

// Port page: the port list (sorted), the serial lists, raster printing and the USB hint.
#define IDC_BAUD_LIST 1041
#define IDC_DATA_BITS_LIST 1042
#define IDC_PARITY_LIST 1043
#define IDC_STOP_BITS_LIST 1044
#define IDC_FLOW_CONTROL_LIST 1045
#define IDC_PORT_LIST 1049
#define IDC_RASTER_CHECK 1052
#define IDC_USB_HINT 1065

// Licence page.
#define IDC_LICENCE_ACCEPT 1057
#define IDC_LICENCE_DECLINE 1058
#define IDC_LICENCE_TEXT 1063

// Mode page.
#define IDC_MODE_TYPICAL 1066
#define IDC_MODE_ADVANCED 1067
#define IDC_MODE_DESCRIPTION 1068
#define IDC_MODE_DESCRIPTION_MORE 1069
#define IDC_MODE_NOTE 1070

// About box.
#define IDC_ABOUT_TEXT 1005

// System-menu command of the About entry.
#define IDM_ABOUTBOX 0x0010

// String table (the message table).
#define IDS_ABOUT_MENU 101
#define IDS_GET_SYSTEM_DIR_FAILED 102
#define IDS_TOO_MANY_ON_PORT 103
#define IDS_OUT_OF_MEMORY 104
#define IDS_GET_CURRENT_DIR_FAILED 107
#define IDS_GET_DRIVER_DIR_FAILED 108
#define IDS_GET_PROCESSOR_DIR_FAILED 109
#define IDS_BAD_DIRECTORY_TYPE 110
#define IDS_SELECT_PRINTER_FIRST 112
#define IDS_NT4_NO_USB 113
#define IDS_RESTART_QUESTION 114
#define IDS_UNSUPPORTED_SYSTEM 115
#define IDS_ADD_PRINTER_FAILED 116
#define IDS_ADD_DRIVER_FAILED 118
#define IDS_ADD_MONITOR_FAILED 119
#define IDS_COPY_FILE_FAILED 122
#define IDS_ADD_PROCESSOR_FAILED 123
#define IDS_ENUM_PORTS_FAILED 125
#define IDS_GET_WINDOWS_DIR_FAILED 126
#define IDS_RESTART_FAILED 127
#define IDS_INSTALL_SUCCEEDED 131
#define IDS_OLE_INIT_FAILED 132
#define IDS_INSTALL_SUCCEEDED_RESET 133
#define IDS_F1_HELP 134
#define IDS_MODE_TYPICAL 135
#define IDS_MODE_ADVANCED 136
#define IDS_MODE_ADVANCED_MORE 137
#define IDS_CONNECT_USB_PRINTER 139
#define IDS_PORT_NOT_SUPPORTED 140
#define IDS_SYSTEM_ERROR_RESTART 141
#define IDS_DRIVER_FILES_MISSING 142
#define IDS_RENAME_USB_DEVICE 143
#define IDS_ONE_PRINTER_ONLY 144
#define IDS_NO_SERVER2003 145
