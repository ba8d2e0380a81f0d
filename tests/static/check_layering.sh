#!/usr/bin/env bash
# The dependency rules, checked on every source file:
# 1. Only the Win32 side of the platform seam, the Win32 dialog layer and the Windows-only
#    programs may include <windows.h> (or any other Windows header).
# 2. The folders form layers: a folder includes only itself and the folders in the rows below
#    it. Folders in one row do not include each other.
set -euo pipefail
cd "$(dirname "$0")/../.."
status=0

allowed='^(src/platform/win32/|src/app/win32/|src/main/win32/|src/ui/win32/|src/pkgcheck/win32/|usbsim/|tests/e2e/|tests/ini_conformance/)'
offenders=$(git ls-files 'src/*' 'tests/unit/*' | grep -E '\.(h|hpp|cpp|cc|inc)$' | grep -v -E "$allowed" |
  xargs -r grep -l -i -E '^\s*#\s*include\s*[<"](windows|winspool|winsvc|winreg|winbase|commctrl|shellapi|ole2)\.h[>"]' || true)
if [ -n "$offenders" ]; then
  echo "FAIL layering: Windows headers included outside the Win32 side: $offenders"
  status=1
fi

# Top to bottom. The programs: Setup.exe's composition root, the package check, the USB library
# stand-in. The wizard (windowed or walked from an answers file); the command-line runs; the
# removal; the pages; the install engine (with the running-system rule); ports; install records;
# configuration; messages and the toolkit-neutral view; the platform seam with its Win32 side
# and the simulated Windows; resource ids and the message table.
layers=(
  "main pkgcheck usbsim"
  "app"
  "unattended"
  "uninstall"
  "pages"
  "install"
  "ports"
  "registry"
  "config"
  "messages ui"
  "platform language"
  "resources"
)

# Every folder of src/ has its row, so that a new one is placed on purpose.
for folder in $(git ls-files 'src/*' | cut -d/ -f2 | sort -u); do
  case " ${layers[*]} " in
    *" $folder "*) ;;
    *)
      echo "FAIL layering: src/$folder has no row in the layer table"
      status=1
      ;;
  esac
done

folder_files() {
  case "$1" in
    usbsim | resources) git ls-files "$1/*" ;;
    *) git ls-files "src/$1/*" ;;
  esac | grep -E '\.(h|cpp|inc)$' || true
}

for ((row = 0; row < ${#layers[@]}; row++)); do
  below=""
  for ((lower = row + 1; lower < ${#layers[@]}; lower++)); do
    below="$below ${layers[lower]}"
  done
  for folder in ${layers[row]}; do
    may=" $folder $below "
    while IFS= read -r file; do
      [ -n "$file" ] || continue
      while IFS= read -r included; do
        target=${included%%/*}
        [ "$target" != "$included" ] || continue  # beside the file itself
        case " ${layers[*]} " in *" $target "*) ;; *) continue ;; esac
        if [[ "$may" != *" $target "* ]]; then
          echo "FAIL layering: $file ($folder) includes $included from $target, which is not below it"
          status=1
        fi
      done < <(sed -n -E 's/^\s*#\s*include\s*"([^"]+)".*/\1/p' "$file")
    done < <(folder_files "$folder")
  done
done

if [ "$status" -eq 0 ]; then
  echo "PASS layering: ${layers[*]/%/ >}" | sed 's/ >$//'
fi
exit "$status"
