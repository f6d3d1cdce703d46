#!/usr/bin/env bash
# Installs the cross toolchain, Wine, Xvfb and the test tools on Debian 12, as root, and on a
# machine whose kernel runs no 32-bit x86 code registers a user-mode emulator for it.
# Safe to run again: what is already in place is left alone, and then it prints nothing.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

packages=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64 fonts-wine
  xvfb x11-utils imagemagick zip unzip locales
  googletest cmake make g++ clang libclang-rt-14-dev
)

# apt's own chatter (debconf notes included) is shown only when the command fails.
apt_quietly() {
  local log
  log=$(mktemp)
  if ! DEBIAN_FRONTEND=noninteractive "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}

# A mirror in the middle of a sync serves an index that fails its checksum, and apt-get update
# then fails although every other index is fresh. It is tried again. If one suite's index stays
# broken for one architecture (seen: bookworm-security for i386), that suite's newer amd64
# versions would demand i386 twins apt cannot see, and wine32:i386 could not be installed; so
# for this install only, the broken suites rank below the others, and each package comes from a
# suite every architecture has in full. Nothing of it stays in apt's configuration.
UpdateAttempts=3
UpdatePauseSeconds=15
LowerPinPriority=100
install_options=()
update_package_lists() {
  local attempt log suites suite
  log=$(mktemp)
  for attempt in $(seq "$UpdateAttempts"); do
    if DEBIAN_FRONTEND=noninteractive apt-get update -qq >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    [ "$attempt" -lt "$UpdateAttempts" ] && sleep "$UpdatePauseSeconds"
  done
  suites=$(sed -n 's|.*Failed to fetch [^ ]*/dists/\([^/ ]*\)/.*|\1|p' "$log" | sort -u)
  if [ -z "$suites" ]; then
    cat "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
  echo "setup: the mirror's index of $(echo $suites) stays broken; installing from the other suites" >&2
  apt_preferences=$(mktemp)
  trap 'rm -f "$apt_preferences"' EXIT
  # The address names a suite by its codename (bookworm-security) or by its class (stable).
  for suite in $suites; do
    printf 'Package: *\nPin: release n=%s\nPin-Priority: %s\n\n' "$suite" "$LowerPinPriority"
    printf 'Package: *\nPin: release a=%s\nPin-Priority: %s\n\n' "$suite" "$LowerPinPriority"
  done >"$apt_preferences"
  install_options=(-o "Dir::Etc::Preferences=$apt_preferences")
}

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: $1 (run this script as root)" >&2
    exit 1
  fi
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  need_root "missing packages: ${missing[*]}"
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  update_package_lists
  apt_quietly apt-get install -y -qq --no-install-recommends "${install_options[@]}" "${missing[@]}"
fi

# --- Locales ----------------------------------------------------------------------------------
# Wine takes a process's ANSI code page from LANG (932, 936, 949, 950 for these), but converts
# names through the host's locale, which must exist or the bytes of every character are mangled.
CodePageLocales=(ja_JP.UTF-8 zh_CN.UTF-8 ko_KR.UTF-8 zh_TW.UTF-8)
missing_locales=()
available=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
for l in "${CodePageLocales[@]}"; do
  wanted=$(echo "$l" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
  grep -qx "$wanted" <<<"$available" || missing_locales+=("$l")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  need_root "missing locales: ${missing_locales[*]}"
  for l in "${missing_locales[@]}"; do
    grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" >>/etc/locale.gen
  done
  apt_quietly locale-gen
fi

# --- 32-bit x86 code -------------------------------------------------------------------------
# Wine's 32-bit loader is the probe: where it starts natively, or through a QEMU recent enough
# for Wine, nothing more is done. Older QEMUs do not honour MAP_FIXED_NOREPLACE and spend the
# better part of a minute starting every Wine process.
MinimumQemuMajor=10
BinfmtFolder=/proc/sys/fs/binfmt_misc
# i386 ELF executables and shared objects, handed to QEMU. F opens the interpreter now, so the
# entry keeps running this very binary (also inside containers) until it is registered again.
QemuEntry=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:POCF'

i386_is_usable() {
  local runner
  runner=$(bytrane_i386_runner)
  case $runner in
    native) return 0 ;;
    qemu\ *) [ "$(echo "${runner#qemu }" | cut -d. -f1)" -ge "$MinimumQemuMajor" ] 2>/dev/null ;;
    *) return 1 ;;
  esac
}

# The backports suite of the Debian archive this machine already uses, copied from its own
# entry for the release (URIs and keyring alike).
enable_backports() {
  local codename suite uri key
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  suite=$codename-backports
  if grep -rqs -E "^[^#]*[[:space:]]$suite([[:space:]]|$)" /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  read -r uri key < <(awk -v release="$codename" '
    function stanza_end() { if (found && uri != "") { print uri, key; exit } uri = ""; key = ""; found = 0 }
    FNR == 1 || /^[[:space:]]*$/ { stanza_end() }
    /^URIs:/ { uri = $2 }
    /^Signed-By:/ { key = $2 }
    /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == release) found = 1 }
    END { stanza_end() }' /etc/apt/sources.list.d/*.sources 2>/dev/null) || true
  if [ -z "${uri:-}" ]; then
    uri=$(awk -v release="$codename" '$1 == "deb" && $3 == release { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
  fi
  if [ -z "${uri:-}" ]; then
    echo "setup: no Debian archive for $codename found in the apt sources; cannot add $suite" >&2
    exit 1
  fi
  {
    echo "Types: deb"
    echo "URIs: $uri"
    echo "Suites: $suite"
    echo "Components: main"
    [ -n "${key:-}" ] && echo "Signed-By: $key"
  } >/etc/apt/sources.list.d/bytrane-backports.sources
}

register_qemu() {
  if [ ! -e "$BinfmtFolder/register" ]; then
    mount -t binfmt_misc binfmt_misc "$BinfmtFolder"
  fi
  if [ -e "$BinfmtFolder/qemu-i386" ]; then
    echo -1 >"$BinfmtFolder/qemu-i386"
  fi
  printf '%s' "$QemuEntry" >"$BinfmtFolder/register"
}

if ! i386_is_usable; then
  need_root "this machine runs no 32-bit x86 code; an emulator must be installed and registered"
  echo "setup: 32-bit x86 code does not run here; registering QEMU's user-mode emulator for it system-wide"
  enable_backports
  update_package_lists
  apt_quietly apt-get install -y -qq --no-install-recommends "${install_options[@]}" \
    -t "$(. /etc/os-release && echo "$VERSION_CODENAME")-backports" qemu-user-static
  register_qemu
  if ! i386_is_usable || ! timeout 120 /usr/lib/wine/wine --version >/dev/null 2>&1 </dev/null; then
    echo "setup: 32-bit Wine still cannot start (32-bit code: $(bytrane_i386_runner))" >&2
    exit 1
  fi
fi
