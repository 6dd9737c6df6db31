#!/usr/bin/env bash
# Usage: windows_imports_check.sh STAGE...   (build-windows/x64/stage, build-windows/x86/stage)
# Lists every function that the shipped .exe and .dll files import from Windows itself (the DLLs
# that are not shipped beside them), and fails on any that is not in data/windows7-imports.txt,
# the functions known to be in Windows 7 SP1. A missing one would keep the program from loading
# there at all. It also has mingw-w64's headers, compiled for Windows 7 (_WIN32_WINNT 0x0601),
# declare every listed Windows API function; they leave some later ones undeclared.
set -euo pipefail
cd "$(dirname "$0")/.."
list=data/windows7-imports.txt
imports=$(mktemp)
trap 'rm -f "$imports" "$imports".*' EXIT

for stage in "$@"; do
  shipped=$(find "$stage" -iname '*.dll' -printf '%f\n' | tr 'A-Z' 'a-z')
  while IFS= read -r file; do
    x86_64-w64-mingw32-objdump -p "$file" |
      awk '/DLL Name:/ { dll = tolower($3); next }
           /^\t[0-9a-f]+\t *[0-9]+ +[^ ]+$/ && dll { print dll "!" $NF }
           /^$/ { dll = "" }'
  done < <(find "$stage" -iname '*.exe' -o -iname '*.dll') |
    grep -v -F -f <(sed 's/$/!/' <<<"$shipped") >>"$imports" || true
done
sort -u -o "$imports" "$imports"
[ -s "$imports" ] || { echo "imports: no import found in $*"; exit 1; }

missing=$(comm -23 "$imports" <(grep -v '^#' "$list" | sort -u))
if [ -n "$missing" ]; then
  echo "imports: not known to be in Windows 7 SP1 (see $list):"
  echo "$missing"
  exit 1
fi

# The Windows API functions of the list, through the headers, for Windows 7.
{
  printf '#include <%s>\n' winsock2.h windows.h shellapi.h shlobj.h uxtheme.h dwmapi.h imm.h \
    mmsystem.h winnetwk.h lm.h userenv.h wtsapi32.h d3d11.h dxgi.h ws2tcpip.h aclapi.h ntsecapi.h
  grep -v '^#' "$list" | grep -v '^msvcrt.dll!' | awk -F'!' '{ printf "void* f%d = (void*)&%s;\n", NR, $2 }'
} >"$imports.cpp"
x86_64-w64-mingw32-g++-posix -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -fsyntax-only -w \
  "$imports.cpp" 2>"$imports.errors" || {
  echo "imports: not declared for Windows 7 by mingw-w64's headers:"
  sed -n "s/.*error: .\([A-Za-z0-9_]*\). was not declared.*/\1/p" "$imports.errors"
  exit 1
}
echo "imports: $(wc -l <"$imports") functions from Windows in $*, each in Windows 7 SP1"
