// The package's print processor (TPPROC.DLL): the entry points a spooler looks up in a print
// processor, announcing the RAW data type. It cannot print a job: opening it fails, so a job
// sent to it ends with an error rather than with lost data.
#include <windows.h>
#include <winsplp.h>

#include <cstring>

namespace {

const wchar_t kRaw[] = L"RAW";

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI
    EnumPrintProcessorDatatypesW(LPWSTR /*server*/, LPWSTR /*processor*/, DWORD level,
                                 LPBYTE datatypes, DWORD size, LPDWORD needed, LPDWORD returned) {
  if (needed == nullptr || returned == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *returned = 0;
  if (level != 1) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  const DWORD total = sizeof(DATATYPES_INFO_1W) + sizeof(kRaw);
  *needed = total;
  if (datatypes == nullptr || size < total) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  auto* info = reinterpret_cast<DATATYPES_INFO_1W*>(datatypes);
  auto* text = reinterpret_cast<wchar_t*>(datatypes + sizeof(DATATYPES_INFO_1W));
  std::memcpy(text, kRaw, sizeof(kRaw));
  info->pName = text;
  *returned = 1;
  return TRUE;
}

extern "C" __declspec(dllexport) HANDLE WINAPI
    OpenPrintProcessor(LPWSTR /*printer*/, PPRINTPROCESSOROPENDATA /*openData*/) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return nullptr;
}

extern "C" __declspec(dllexport) BOOL WINAPI
    PrintDocumentOnPrintProcessor(HANDLE /*processor*/, LPWSTR /*document*/) {
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

extern "C" __declspec(dllexport) BOOL WINAPI ClosePrintProcessor(HANDLE /*processor*/) {
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

extern "C" __declspec(dllexport) BOOL WINAPI
    ControlPrintProcessor(HANDLE /*processor*/, DWORD /*command*/) {
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

extern "C" __declspec(dllexport) DWORD WINAPI
    GetPrintProcessorCapabilities(LPTSTR /*datatype*/, DWORD /*level*/, LPBYTE /*capabilities*/,
                                  DWORD /*size*/, LPDWORD needed) {
  if (needed != nullptr) {
    *needed = 0;
  }
  return ERROR_NOT_SUPPORTED;
}
