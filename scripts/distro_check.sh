#!/usr/bin/env bash
# Runs the README's test command as a new user would, on a fresh minimal Debian of the given
# release: makes a clean root from Debian's archive (debootstrap minbase plus ca-certificates, git
# and sudo), puts a clean clone of this repository's HEAD in it, and runs scripts/test.sh there as
# a user with sudo. Everything it made goes again at the end, pass or fail: the root runs in mount
# and process namespaces of its own, so its mounts and processes end with it.
#
# Usage: scripts/distro_check.sh 12|13|bookworm|trixie [COMMAND]
# COMMAND defaults to scripts/test.sh. Downloaded packages and the compiler cache are kept in
# ${KESTRUNE_CACHE:-/var/cache/kestrune}/debian-RELEASE, so a second run downloads nothing new and
# compiles little.
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-} in
  12 | bookworm) suite=bookworm ;;
  13 | trixie) suite=trixie ;;
  *) echo "usage: $0 12|13 [COMMAND]" >&2; exit 2 ;;
esac
command=${2:-scripts/test.sh}
scripts/setup.sh --only debootstrap git

[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=KESTRUNE_CACHE,CI "$0" "$@"

mirror=http://deb.debian.org/debian
cache=${KESTRUNE_CACHE:-/var/cache/kestrune}/debian-$suite
mkdir -p "$cache/archives/partial"
root=$(mktemp -d /var/tmp/kestrune-$suite.XXXXXX)
started=$SECONDS

cleanup() {
  # The namespaces are gone by now, and their mounts with them; never delete through a mount.
  if findmnt -rn -o TARGET | grep "^$root" >/dev/null; then
    echo "distro check: $root still has mounts; left in place" >&2
    return
  fi
  rm -rf --one-file-system "$root" "$root.log"
}
trap cleanup EXIT

echo "distro check: Debian $suite in $root"
debootstrap --variant=minbase --include=ca-certificates,git,sudo --cache-dir="$cache/archives" \
  "$suite" "$root" "$mirror" >"$root.log" 2>&1 || { tail -n 30 "$root.log"; exit 1; }
chmod 755 "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "127.0.1.1 $(hostname)" >>"$root/etc/hosts"
echo "distro check: root made in $((SECONDS - started)) s"

git clone -q --no-local "$PWD" "$root/home/kestrune-src"

# Inside: a user with sudo, as on a ward PC, with the clone in the home folder; apt's downloads and
# the compiler cache go to the cache outside.
cat >"$root/usr/local/sbin/kestrune-check" <<EOF
#!/bin/bash
set -euo pipefail
mount --bind /var/cache/kestrune-archives /var/cache/apt/archives
useradd -m -s /bin/bash nurse
echo 'nurse ALL=(ALL) NOPASSWD:ALL' >/etc/sudoers.d/nurse
mv /home/kestrune-src /home/nurse/kestrune
chown -R nurse: /home/nurse/kestrune
cd /home/nurse/kestrune
exec sudo -u nurse -H env -i HOME=/home/nurse PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 \\
  CCACHE_DIR=/var/cache/kestrune-ccache CI="${CI:-}" $command
EOF
chmod +x "$root/usr/local/sbin/kestrune-check"
mkdir -p "$root/var/cache/kestrune-archives" "$root/var/cache/kestrune-ccache" "$cache/ccache"
chmod 1777 "$cache/ccache"

status=0
unshare --mount --pid --fork --kill-child bash -c "
  set -e
  # The root is a mount point, as on a real machine: a mount namespace made inside needs one.
  mount --bind '$root' '$root'
  mount -t proc proc '$root/proc'
  mount --rbind /dev '$root/dev'
  mount -t sysfs sysfs '$root/sys'
  mount --bind '$cache/archives' '$root/var/cache/kestrune-archives'
  mount --bind '$cache/ccache' '$root/var/cache/kestrune-ccache'
  exec chroot '$root' /usr/local/sbin/kestrune-check" || status=$?

minutes=$(((SECONDS - started) / 60)) seconds=$(((SECONDS - started) % 60))
if [ "$status" -eq 0 ]; then
  echo "distro check: Debian $suite passed in ${minutes} min ${seconds} s"
else
  echo "distro check: Debian $suite FAILED (status $status) after ${minutes} min ${seconds} s"
fi
exit "$status"
