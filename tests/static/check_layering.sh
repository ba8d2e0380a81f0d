#!/usr/bin/env bash
# The dependency rule: only the Win32 side of the platform seam, the Win32 dialog layer and the
# Windows-only programs may include <windows.h> (or any other Windows header).
set -euo pipefail
cd "$(dirname "$0")/../.."
allowed='^(src/platform/win32/|src/app/win32/|src/ui/win32/|src/pkgcheck/win32/|usbsim/|tests/e2e/|tests/ini_conformance/)'
offenders=$(git ls-files 'src/*' 'tests/unit/*' | grep -E '\.(h|hpp|cpp|cc|inc)$' | grep -v -E "$allowed" |
  xargs -r grep -l -i -E '^\s*#\s*include\s*[<"](windows|winspool|winsvc|winreg|winbase|commctrl|shellapi|ole2)\.h[>"]' || true)
if [ -n "$offenders" ]; then
  echo "FAIL layering: Windows headers included outside the Win32 side: $offenders"
  exit 1
fi
echo "PASS layering"
