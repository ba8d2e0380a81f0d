#!/usr/bin/env bash
# Setup.exe as shipped: a 32-bit GUI program that Windows 98 and NT 4 load (subsystem and OS
# version 4.0), importing only DLLs that ship with Windows (the C++ runtime is linked in).
set -euo pipefail
exe=${1:-build/windows/Setup.exe}
fail() { echo "FAIL setup-exe: $*"; exit 1; }
[ -f "$exe" ] || fail "$exe missing"
headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$(i686-w64-mingw32-objdump -f "$exe")" || fail "not a 32-bit PE"
grep -qE '^MajorSubsystemVersion\s+4$' <<<"$headers" || fail "subsystem major version is not 4"
grep -qE '^MinorSubsystemVersion\s+0$' <<<"$headers" || fail "subsystem minor version is not 0"
grep -qE '^Subsystem\s+00000002' <<<"$headers" || fail "not a GUI program"
system_dlls='^(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|shell32|ole32|oleaut32|winspool\.drv|msvcrt)(\.dll)?$'
while read -r dll; do
  grep -qiE "$system_dlls" <<<"$dll" || fail "imports $dll, which Windows does not ship"
done < <(grep 'DLL Name:' <<<"$headers" | awk '{print $3}')
echo "PASS setup-exe"
