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
# Every imported function must be in the list of imports Windows 98 and NT 4 are known to have.
allowed=$(dirname "$0")/setup_imports.txt
imports=$(i686-w64-mingw32-objdump -p "$exe" | awk '
  /DLL Name:/ { dll = toupper($3); next }
  /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }')
[ -n "$imports" ] || fail "no imports read"
unlisted=$(comm -23 <(sort -u <<<"$imports") <(grep -v '^#' "$allowed" | awk 'NF >= 2 { print $1, $2 }' | sort -u))
[ -z "$unlisted" ] || fail "imports missing from $allowed: $(tr '\n' ';' <<<"$unlisted")"
# The runtime's throwing helpers are the program's own (src/main/win32/library_errors.cpp): the
# runtime's versions would bring its reference-counted string, about 50 KB, back.
map=$(dirname "$exe")/Setup.map
if [ -f "$map" ] && grep -qE 'libstdc\+\+\.a\((functexcept|cow-string-inst)\.o\)' "$map"; then
  fail "$map: the runtime's functexcept.o or cow-string-inst.o is linked"
fi
size=$(stat -c %s "$exe")
[ "$size" -le $((512 * 1024)) ] || fail "$exe is $size bytes, more than 512 KB"
echo "PASS setup-exe"
