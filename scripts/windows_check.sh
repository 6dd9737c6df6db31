#!/usr/bin/env bash
# Usage: windows_check.sh [x64|x86|both]   (both by default)
# Builds Kestrune for Windows (scripts/windows_build.sh), checks that nothing shipped imports a
# function Windows 7 SP1 lacks, and tests each architecture under Wine saying it is Windows 7, then
# Windows 10, in a Wine prefix of its own (32-bit for x86) on an X server of its own: the logic tests
# built for Windows; the real program, whose typed duration and name are drawn, whose 2-second
# countdown started with the mouse turns the window red on time and whose Exit ends it; its notice
# at time up and its request to stay awake while counting; its alarm, which a PulseAudio server of
# the test's own records through Wine's sound driver; the installer, the zip and the MSI.
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-both} in
  x64 | x86) architectures=("$1") ;;
  both) architectures=(x64 x86) ;;
  *) echo "usage: $0 [x64|x86|both]" >&2; exit 2 ;;
esac
source tests/e2e/common.sh
source tests/e2e/wine_session.sh
# Each Wine prefix, and the process making it, by architecture and Windows version ("x64-win7").
declare -A prefix_of maker_of
remove_prefixes() {
  local prefix
  wait
  for prefix in "${prefix_of[@]}"; do
    if [ -d "$prefix" ]; then (WINEPREFIX=$prefix wineserver --kill 2>/dev/null || true); fi
  done
  rm -rf "${prefix_of[@]}"
}
trap 'kill ${tsa:-} 2>/dev/null; stop_wine; remove_prefixes; rm -rf "${throwaway:-}" "${newer:-}" "${wine_logs:-}"' EXIT

# Signed and time-stamped as a release is: with the key and service given, or else with a throwaway
# certificate, and a time-stamping service of the check's own on 127.0.0.1, made here.
throwaway=$(mktemp -d)
if [ -z "${KESTRUNE_SIGN_KEY:-}" ]; then
  openssl req -x509 -newkey rsa:3072 -nodes -days 2 -subj "/CN=Kestrune check, throwaway" \
    -addext extendedKeyUsage=codeSigning -keyout "$throwaway/key.pem" -out "$throwaway/cert.pem" \
    2>/dev/null
  export KESTRUNE_SIGN_KEY=$throwaway/key.pem KESTRUNE_SIGN_CERT=$throwaway/cert.pem
fi
tsa_ca=()
if [ -z "${KESTRUNE_SIGN_TIMESTAMP:-}" ]; then
  openssl req -x509 -newkey rsa:3072 -nodes -days 2 -subj "/CN=Kestrune check, time stamps" \
    -addext "extendedKeyUsage=critical,timeStamping" -keyout "$throwaway/tsa.key" \
    -out "$throwaway/tsa.pem" 2>/dev/null
  echo 01 >"$throwaway/serial"
  printf '%s\n' '[tsa]' 'default_tsa = check' '[check]' "serial = $throwaway/serial" \
    'crypto_device = builtin' "signer_cert = $throwaway/tsa.pem" "certs = $throwaway/tsa.pem" \
    "signer_key = $throwaway/tsa.key" 'signer_digest = sha256' 'default_policy = 1.2.3.4.1' \
    'digests = sha256, sha1' 'accuracy = secs:1' 'ess_cert_id_alg = sha256' >"$throwaway/tsa.cnf"
  tests/e2e/timestamp_authority.py "$throwaway/tsa.cnf" >"$throwaway/port" &
  tsa=$!
  wait_until 10 test -s "$throwaway/port" ||
    { echo "windows: the time-stamping service did not start"; exit 1; }
  export KESTRUNE_SIGN_TIMESTAMP=http://127.0.0.1:$(cat "$throwaway/port")
  tsa_ca=(-TSA-CAfile "$throwaway/tsa.pem")
fi
version=$(sed -n 's/^project(Kestrune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# 32-bit Wine is installed only here, and only where the kernel runs 32-bit programs: with it,
# Debian's wine starts every program, 64-bit ones too, through its 32-bit loader, which fails
# outright on a kernel built without IA-32 emulation (as some virtual machines' are).
runs_32bit_programs() {
  local probe
  probe=$(mktemp -d)
  printf '.globl _start\n_start: movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$probe/exit.s"
  as --32 "$probe/exit.s" -o "$probe/exit.o" && ld -m elf_i386 "$probe/exit.o" -o "$probe/exit" &&
    "$probe/exit" 2>/dev/null
  local status=$?
  rm -rf "$probe"
  return $status
}
if [[ " ${architectures[*]} " = *" x86 "* ]] && ! [ -x /usr/lib/wine/wine ]; then
  if runs_32bit_programs; then
    scripts/setup.sh --only wine32:i386
  else
    no_32bit_programs=yes
  fi
fi

# Wine's prefixes are made while Kestrune builds: neither times anything.
wine_logs=$(mktemp -d)
for arch in "${architectures[@]}"; do
  [ "$arch" = x64 ] || [ -z "${no_32bit_programs:-}" ] || continue
  for windows in win7 win10; do
    prefix_of[$arch-$windows]=$(mktemp -d /tmp/kestrune-wine.XXXXXX)
    make_wine_prefix "${prefix_of[$arch-$windows]}" "$arch" "$windows" \
      >"$wine_logs/$arch-$windows" 2>&1 &
    maker_of[$arch-$windows]=$!
  done
done

# A newer version's MSI, made by the same build, for the install check's upgrade and downgrade;
# kept aside, as the build that follows writes the checksums of the project's version.
newer_version=${version%.*}.$((${version##*.} + 1))
newer=$(mktemp -d)
KESTRUNE_VERSION=$newer_version scripts/windows_build.sh "${1:-both}" >/dev/null
mv build-windows/kestrune-"$newer_version"-windows-*.msi "$newer/"
rm -f build-windows/kestrune-"$newer_version"-windows-*
scripts/windows_build.sh "${1:-both}"
(cd build-windows && sha256sum --check --quiet SHA256SUMS) ||
  { echo "windows: the files do not match SHA256SUMS"; exit 1; }
openssl cms -verify -binary -inform DER -in build-windows/SHA256SUMS.p7s \
  -content build-windows/SHA256SUMS -CAfile "$KESTRUNE_SIGN_CERT" -purpose any >/dev/null 2>&1 ||
  { echo "windows: the signature of SHA256SUMS does not verify"; exit 1; }
echo "windows: SHA256SUMS and its signature checked"
for arch in "${architectures[@]}"; do
  files=()
  while IFS= read -r file; do files+=("${file#build-windows/}"); done < <(
    find "build-windows/$arch/stage" -name '*.exe' -o -name '*.dll'
  )
  files+=("$arch/uninstall.exe" kestrune-"$version"-windows-"$arch"{-setup.exe,.msi})
  for file in "${files[@]}"; do
    verified=$(osslsigncode verify -CAfile "$KESTRUNE_SIGN_CERT" "${tsa_ca[@]}" \
      -in "build-windows/$file" 2>&1) ||
      { echo "windows: the signature of $file does not verify"; exit 1; }
    grep -q '^Timestamp Server Signature verification: ok' <<<"$verified" ||
      { echo "windows: the signature of $file carries no time stamp that verifies"; exit 1; }
  done
  echo "windows: $arch: ${#files[@]} signatures verify, each time-stamped: every .exe and .dll," \
    "the installer, its uninstaller and the MSI"
  strings -el "build-windows/$arch/stage/kestrune.exe" | grep -A1 -x FileVersion | grep -qx "$version" ||
    { echo "windows: kestrune.exe carries no file version $version"; exit 1; }
  echo "windows: $arch: kestrune.exe says it is version $version"
done
stages=()
for arch in "${architectures[@]}"; do stages+=("build-windows/$arch/stage"); done
scripts/windows_imports_check.sh "${stages[@]}"

if [ -n "${no_32bit_programs:-}" ]; then
  echo "windows: x86 is built and its imports are checked, but this kernel runs no 32-bit"
  echo "programs, so 32-bit Wine cannot run it here"
  exit 1
fi
for name in "${!maker_of[@]}"; do
  if ! wait "${maker_of[$name]}"; then
    echo "windows: Wine's prefix for $name was not made:"
    cat "$wine_logs/$name"
    exit 1
  fi
done

for arch in "${architectures[@]}"; do
  for windows in win7 win10; do
    echo "windows: $arch under Wine as $windows"
    start_wine "$arch" "$windows" "${prefix_of[$arch-$windows]}"
    stage=build-windows/$arch/stage
    (cd "build-windows/$arch/build" && ../../../scripts/ctest_counted.sh)
    tests/e2e/countdown_test.sh wine "$stage/kestrune.exe"
    tests/e2e/windows_desktop_test.sh "$stage/kestrune.exe"
    # What neither Wine nor the program does differently by Windows version, once: time up in
    # front, and the installs over a running Kestrune.
    once=0
    [ "$windows" = win7 ] || once=1
    [ "$once" = 0 ] || tests/e2e/in_front_test.sh wine "$stage/kestrune.exe"
    SOUND_SERVER=pulseaudio tests/e2e/alarm_sound_test.sh "$stage/kestrune.exe" five wine
    package=build-windows/kestrune-$version-windows-$arch
    OVER_RUNNING=$once tests/e2e/windows_install_test.sh "$package-setup.exe" "$package.zip" \
      "$package.msi" "$newer/kestrune-$newer_version-windows-$arch.msi"
    stop_wine
  done
done
