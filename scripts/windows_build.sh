#!/usr/bin/env bash
# Usage: windows_build.sh [x64|x86|both]   (both by default)
# Cross-builds Kestrune for Windows 7 SP1 to 11 with MinGW-w64, for 64-bit (x64) and 32-bit (x86)
# Windows, each against a Qt 5.15 for Windows that scripts/windows_qt.sh builds once and caches.
# Makes, for each ARCH, in build-windows/:
#   ARCH/stage/                             the program with every DLL it needs, as installed
#   kestrune-VERSION-windows-ARCH.zip       the same files, for PCs where nothing may be installed
#   kestrune-VERSION-windows-ARCH-setup.exe the installer (NSIS)
#   kestrune-VERSION-windows-ARCH.msi       the Windows Installer package (wixl), for Group Policy
#   SHA256SUMS                              the checksum of each of those files
# and the logic tests for Windows, in build-windows/ARCH/build/tests.
#
# With KESTRUNE_SIGN_KEY and KESTRUNE_SIGN_CERT (a PEM private key and its certificate, the chain
# after it), every .exe and .dll shipped (Qt's, its plugins and MinGW's runtime included), the
# installer, its uninstaller and the MSI are signed with Authenticode (osslsigncode), and
# SHA256SUMS gets a detached CMS signature, SHA256SUMS.p7s; with KESTRUNE_SIGN_TIMESTAMP (the
# address of an RFC 3161 time-stamping service) too, the Authenticode signatures are time-stamped
# there, so that they still verify once the certificate has expired. Without a key the build says
# that it is unsigned.
set -euo pipefail
cd "$(dirname "$0")/.."

case ${1:-both} in
  x64 | x86) architectures=("$1") ;;
  both) architectures=(x64 x86) ;;
  *) echo "usage: $0 [x64|x86|both]" >&2; exit 2 ;;
esac
scripts/setup.sh --windows
top=$PWD/build-windows
# KESTRUNE_VERSION gives the packages another version than the project's (a local rebuild, or
# the newer package the upgrade check needs).
version=${KESTRUNE_VERSION:-$(sed -n 's/^project(Kestrune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)}

signing=no
if [ -n "${KESTRUNE_SIGN_KEY:-}" ] && [ -n "${KESTRUNE_SIGN_CERT:-}" ]; then
  signing=yes
fi
# Signs the file in place, with a SHA-256 digest, time-stamped where a service is given.
sign() {
  [ "$signing" = yes ] || return 0
  local timestamp=()
  [ -z "${KESTRUNE_SIGN_TIMESTAMP:-}" ] || timestamp=(-ts "$KESTRUNE_SIGN_TIMESTAMP")
  osslsigncode sign -key "$KESTRUNE_SIGN_KEY" -certs "$KESTRUNE_SIGN_CERT" -h sha256 \
    -n Kestrune "${timestamp[@]}" -in "$1" -out "$1.signed" >/dev/null
  mv "$1.signed" "$1"
}
export -f sign
export signing KESTRUNE_SIGN_KEY KESTRUNE_SIGN_CERT KESTRUNE_SIGN_TIMESTAMP

# The icon the window draws, at Windows' sizes, from a build for this machine.
cmake -S . -B "$top/host" -DKESTRUNE_TESTS=OFF -DKESTRUNE_BENCH=OFF >/dev/null
cmake --build "$top/host" --target kestrune_icons -j"$(nproc)" >/dev/null
icons=$top/host/window/icons
icon=$top/kestrune.ico
convert "$icons"/{16x16,32x32,48x48,256x256}/apps/kestrune.png "$icon"

build_for() {
  local arch=$1 triplet qt out=$top/$1
  case $arch in
    x64) triplet=x86_64-w64-mingw32 ;;
    x86) triplet=i686-w64-mingw32 ;;
  esac
  qt=$(scripts/windows_qt.sh "$arch")
  cmake -S . -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQT_MAJOR_VERSION=5 \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-$arch.cmake" -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
    -DKESTRUNE_BENCH=OFF -DKESTRUNE_WINDOWS_ICON="$icon" -DKESTRUNE_VERSION="$version" >/dev/null
  cmake --build "$out/build"

  local stage=$out/stage zip_file installer msi app_id
  rm -rf "$stage" "$out/install"
  cmake --install "$out/build" --prefix "$out/install" >/dev/null
  mkdir -p "$stage"
  cp "$out"/install/bin/* "$stage/"
  # Qt's plugins go beside the program, where Qt looks first.
  mkdir -p "$stage/platforms" "$stage/styles"
  cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
  cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"

  # Every DLL the program, the sound module and the plugins load, found among Qt's and MinGW's;
  # what none of them has is the system's own.
  search=("$qt/bin" "$(dirname "$("$triplet-g++-posix" -print-file-name=libstdc++-6.dll)")"
    "/usr/$triplet/lib")
  copy_dependencies() {
    local dll dir
    for dll in $("$triplet-objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'); do
      [ -e "$stage/$dll" ] && continue
      for dir in "${search[@]}"; do
        if [ -e "$dir/$dll" ]; then
          cp "$dir/$dll" "$stage/"
          copy_dependencies "$stage/$dll"
          break
        fi
      done
    done
  }
  while IFS= read -r binary; do
    copy_dependencies "$binary"
  done < <(find "$stage" -name '*.exe' -o -name '*.dll')

  # Without their symbols: a third of the size.
  find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec "$triplet-strip" --strip-unneeded {} +
  # Every program file signed, for AppLocker and WDAC rules by publisher.
  while IFS= read -r binary; do
    sign "$binary"
  done < <(find "$stage" -name '*.exe' -o -name '*.dll')

  # The licences: Kestrune's, and Qt's and MinGW's, whose DLLs come along.
  mkdir -p "$stage/licenses"
  cp LICENSE "$stage/licenses/Kestrune.txt"
  cp "$qt/debian-copyright" "$stage/licenses/Qt.txt"
  cp /usr/share/common-licenses/LGPL-3 "$stage/licenses/LGPL-3.txt"
  cp /usr/share/common-licenses/GPL-3 "$stage/licenses/GPL-3.txt"
  cp /usr/share/doc/mingw-w64-common/copyright "$stage/licenses/MinGW-w64.txt"
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licenses/GCC.txt"

  zip_file=$top/kestrune-$version-windows-$arch.zip
  rm -f "$zip_file"
  (cd "$out" && rm -rf Kestrune && cp -r "$stage" Kestrune && zip -qr "$zip_file" Kestrune &&
    rm -rf Kestrune)

  # The uninstaller removes just these files and folders, deepest first.
  {
    (cd "$stage" && find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|')
    (cd "$stage" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|')
  } >"$stage.files.nsh"
  installer=$top/kestrune-$version-windows-$arch-setup.exe
  local sign_uninstaller=()
  # The signed uninstaller is kept beside the stage, to be checked.
  if [ "$signing" = yes ]; then
    declare -f sign >"$out/sign_uninstaller"
    printf 'KESTRUNE_SIGN_KEY=%q KESTRUNE_SIGN_CERT=%q KESTRUNE_SIGN_TIMESTAMP=%q signing=yes\n' \
      "$KESTRUNE_SIGN_KEY" "$KESTRUNE_SIGN_CERT" "${KESTRUNE_SIGN_TIMESTAMP:-}" >>"$out/sign_uninstaller"
    printf 'sign "$1" && cp "$1" %q\n' "$out/uninstall.exe" >>"$out/sign_uninstaller"
    chmod +x "$out/sign_uninstaller"
    sign_uninstaller=(-DSIGN_COMMAND="bash $out/sign_uninstaller")
  fi
  makensis -V2 -D"$arch" -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$installer" \
    "${sign_uninstaller[@]}" data/kestrune.nsi
  sign "$installer"

  # The same files in a Windows Installer package, and the Start menu entry's AppUserModelID, which
  # wixl cannot write, added as the table Windows Installer reads it from. (wixl takes the files'
  # folder relative to here.)
  local win64=no heat_win64=()
  [ "$arch" = x86 ] || { win64=yes; heat_win64=(--win64); }
  (cd "$stage" && find . -type f | sort | wixl-heat --var var.SourceDir -p ./ \
    --component-group Files --directory-ref INSTALLDIR "${heat_win64[@]}") >"$out/files.wxs"
  msi=$top/kestrune-$version-windows-$arch.msi
  wixl -a "$arch" -D Version="$version" -D SourceDir="build-windows/$arch/stage" -D Win64=$win64 \
    -o "$msi" data/kestrune.wxs "$out/files.wxs"
  app_id=$(sed -n 's/^!define APP_USER_MODEL_ID "\(.*\)"/\1/p' data/kestrune.nsi)
  {
    printf 'MsiShortcutProperty\tShortcut_\tPropertyKey\tPropVariantValue\n'
    printf 's72\ts72\ts255\ts255\n'
    printf 'MsiShortcutProperty\tMsiShortcutProperty\n'
    printf 'KestruneAppUserModelId\tKestruneShortcut\t%s\t%s\n' \
      "{9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3} 5" "$app_id"
  } >"$out/MsiShortcutProperty.idt"
  msibuild "$msi" -i "$out/MsiShortcutProperty.idt"
  sign "$msi"
  # Each build is a new product (a major upgrade of the ones before): IT's deployment tools
  # read the product code from the MSI, and their detection rules may name it.
  msiinfo export "$msi" Property | awk -F'\t' -v msi="${msi##*/}" \
    '$1 == "ProductCode" || $1 == "UpgradeCode" {print "windows: " msi ": " $1 " " $2}' | tr -d '\r'
  echo "windows: $installer ($(du -h "$installer" | cut -f1)), $msi ($(du -h "$msi" | cut -f1))," \
    "$zip_file ($(du -h "$zip_file" | cut -f1))"
}

for arch in "${architectures[@]}"; do
  build_for "$arch"
done
packages=()
for arch in "${architectures[@]}"; do
  packages+=(kestrune-"$version"-windows-"$arch"{.msi,-setup.exe,.zip})
done
(cd "$top" && sha256sum "${packages[@]}" >SHA256SUMS)
rm -f "$top/SHA256SUMS.p7s"
if [ "$signing" = yes ]; then
  openssl cms -sign -binary -md sha256 -in "$top/SHA256SUMS" -signer "$KESTRUNE_SIGN_CERT" \
    -inkey "$KESTRUNE_SIGN_KEY" -outform DER -out "$top/SHA256SUMS.p7s"
  echo "windows: signed with $(openssl x509 -in "$KESTRUNE_SIGN_CERT" -noout -subject)" \
    "${KESTRUNE_SIGN_TIMESTAMP:+and time-stamped by $KESTRUNE_SIGN_TIMESTAMP}"
else
  echo "windows: UNSIGNED: give KESTRUNE_SIGN_KEY and KESTRUNE_SIGN_CERT to sign the program," \
    "its DLLs, the installers, the MSI and SHA256SUMS"
fi
