#!/usr/bin/env bash
# The set-up scripts' decisions (install as root, through sudo, or tell root what to
# run; go on as the user who typed the command) with stub system commands, and the
# bash completion's answers.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() { # name expected actual
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  else
    printf 'PASS %s\n' "$1"
  fi
}

# A folder of stubs that stands for the whole PATH. sudo: no (none), yes (allowed) or
# refuses (installed, but the user is not in the sudoers file); apt: yes or no.
stubs() { # sudo [apt]
  local s=$work/bin-$1-${2:-yes}
  [ -d "$s" ] && { echo "$s"; return; }
  mkdir -p "$s"
  local tool
  for tool in grep env cat; do ln -s "$(command -v $tool)" "$s/$tool"; done
  cat >"$s/id" <<'STUB'
#!/bin/bash
echo "$STUB_UID"
STUB
  if [ "${2:-yes}" = yes ]; then
    cat >"$s/dpkg-query" <<'STUB'
#!/bin/bash
# The last argument is the package; installed unless listed in MISSING.
for p in $MISSING; do [ "$p" = "${!#}" ] && exit 1; done
printf 'install ok installed'
STUB
    cat >"$s/apt-get" <<'STUB'
#!/bin/bash
echo "${VIA_SUDO:+sudo }apt-get $* frontend=${DEBIAN_FRONTEND:-}" >>"$LOG"
[ -z "${APT_FAILS:-}" ]
STUB
  fi
  case "$1" in
    yes)
      # Like the real one, it starts the command with a reset environment.
      cat >"$s/sudo" <<'STUB'
#!/bin/bash
echo "sudo $* in $PWD" >>"$LOG.sudo"
[ "$1" = -v ] && exit 0
while [ "$1" != -- ] && [ "$1" != apt-get ] && [ "$1" != env ]; do shift; done
[ "$1" = -- ] && shift
[ "$1" = bash ] && exit 0
exec env -i PATH="$PATH" LOG="$LOG" VIA_SUDO=1 "$@"
STUB
      ;;
    refuses)
      cat >"$s/sudo" <<'STUB'
#!/bin/bash
echo "sudo $* in $PWD" >>"$LOG.sudo"
echo "anna is not in the sudoers file.  This incident will be reported." >&2
exit 1
STUB
      ;;
  esac
  chmod +x "$s"/*
  echo "$s"
}

echo "== install-deps.sh"
# name | uid | sudo | missing packages | exit status | apt-get calls (";" between)
while IFS='|' read -r name uid sudo missing status calls; do
  log=$work/log
  : >"$log"
  out=$(PATH=$(stubs "$sudo") STUB_UID=$uid MISSING=$missing LOG=$log APT_FAILS= DEBIAN_FRONTEND= \
    "$BASH" "$root/scripts/install-deps.sh" 2>&1)
  rc=$?
  check "$name: exit status" "$status" "$rc"
  check "$name: apt-get" "$calls" "$(paste -sd';' "$log")"
  if [ "$status" = 1 ]; then
    # The same words for both: root has to install the packages.
    check "$name: the command for root" \
      "  apt-get update && apt-get install -y --no-install-recommends lintian bash-completion" \
      "$(grep '^  apt-get' <<<"$out")"
    check "$name: the same through su" \
      "или одной командой: su -c 'apt-get update && apt-get install -y --no-install-recommends lintian bash-completion'" \
      "$(grep 'su -c' <<<"$out")"
  fi
done <<'CASES'
nothing missing, no sudo needed|1000|no||0|
root installs itself|0|no|lintian bash-completion|0|apt-get update -q frontend=;apt-get install -y -q --no-install-recommends lintian bash-completion frontend=noninteractive
root does not use sudo|0|yes|lintian|0|apt-get update -q frontend=;apt-get install -y -q --no-install-recommends lintian frontend=noninteractive
user with sudo|1000|yes|lintian bash-completion|0|sudo apt-get update -q frontend=;sudo apt-get install -y -q --no-install-recommends lintian bash-completion frontend=noninteractive
user without sudo|1000|no|lintian bash-completion|1|
user whose sudo refuses|1000|refuses|lintian bash-completion|1|
CASES

log=$work/log
: >"$log"
if PATH=$(stubs no) STUB_UID=0 MISSING=lintian LOG=$log APT_FAILS=1 "$BASH" "$root/scripts/install-deps.sh" >/dev/null 2>&1; then
  check "a failed apt-get fails the set-up" failed succeeded
else
  check "a failed apt-get fails the set-up" failed failed
fi

# Without apt the script says so and lists what the build needs; the variable lets a
# user who installed it all by hand go on. name | apt | TORBEL_SKIP_DEPS | exit status | said
while IFS='|' read -r name apt skip status said; do
  log=$work/log
  : >"$log"
  out=$(PATH=$(stubs no "$apt") STUB_UID=1000 MISSING=lintian LOG=$log TORBEL_SKIP_DEPS=$skip \
    "$BASH" "$root/scripts/install-deps.sh" 2>&1)
  rc=$?
  check "$name: exit status" "$status" "$rc"
  check "$name: says" yes "$(grep -qF -- "$said" <<<"$out" && echo yes || echo "no: $out")"
  check "$name: apt-get" "" "$(cat "$log")"
done <<'CASES'
no apt|no||1|Здесь нет apt и dpkg
no apt: what the build needs|no||1|Qt 6.4 и новее (Core, Gui, Widgets, PrintSupport
no apt: how to go on|no||1|TORBEL_SKIP_DEPS=1 bash scripts/run.sh
no apt, installed by hand|no|1|0|TORBEL_SKIP_DEPS задана
apt, installed by hand|yes|1|0|TORBEL_SKIP_DEPS задана
CASES

# What each command installs. name | set | must be in it | must not
while IFS='|' read -r name set present absent; do
  list=$("$BASH" "$root/scripts/install-deps.sh" --list "$set" | paste -sd' ')
  for p in $present; do
    check "$name: has $p" yes "$([[ " $list " == *" $p "* ]] && echo yes || echo "no: $list")"
  done
  for p in $absent; do
    check "$name: lacks $p" yes "$([[ " $list " != *" $p "* ]] && echo yes || echo "no: $list")"
  done
done <<'CASES'
run|run|build-essential cmake qt6-base-dev libzip-dev librsvg2-bin qt6-translations-l10n fonts-liberation2|debhelper lintian clang libbenchmark-dev libreoffice-writer-nogui
package|package|build-essential cmake qt6-base-dev debhelper dpkg-dev lintian appstream|clang clang-format libbenchmark-dev libreoffice-writer-nogui xvfb
test|test|cmake debhelper lintian clang-format libbenchmark-dev xvfb git|
CASES
out=$("$BASH" "$root/scripts/install-deps.sh" nothing 2>&1)
check "an unknown set: exit status" 2 "$?"

# The build dependencies come from debian/control, whatever its layout.
mkdir -p "$work/tree/scripts" "$work/tree/debian"
cp "$root/scripts/install-deps.sh" "$work/tree/scripts/"
cat >"$work/tree/debian/control" <<'CONTROL'
Source: demo
Build-Depends: debhelper-compat (= 13), cmake (>= 3.25),
               qt6-base-dev [amd64 arm64] <!nocheck>,
	libzip-dev | libzip-other-dev,
Build-Depends-Indep: docs-tool
Standards-Version: 4.6.2

Package: demo
Pre-Depends: early
Depends: ${shlibs:Depends}, ${misc:Depends},
 fonts-x
Suggests: office
CONTROL
check "debian/control read" "build-essential cmake qt6-base-dev libzip-dev fonts-x" \
  "$("$BASH" "$work/tree/scripts/install-deps.sh" --list run | paste -sd' ')"

echo "== as-user.sh"
# name | uid | SUDO_USER | what happens
while IFS='|' read -r name uid user expected; do
  log=$work/log
  rm -f "$log.sudo"
  mkdir -p "$work/typed here"
  out=$(cd / && env -i PATH="$(stubs yes)" STUB_UID="$uid" SUDO_USER="$user" LOG="$log" DISPLAY=:7 "$BASH" -c '
    source "$1"
    continue_as_invoking_user "$2" /src/scripts/run.sh trip.trb --flag
    echo "went on as before"' _ "$root/scripts/as-user.sh" "$work/typed here" 2>&1 | tail -1)
  [ -f "$log.sudo" ] && out=$(cat "$log.sudo")
  check "$name" "${expected//@/$work/typed here}" "$out"
done <<'CASES'
root through sudo goes on as the user|0|anna|sudo -u anna -H -- env DISPLAY=:7 bash /src/scripts/run.sh trip.trb --flag in @
root logged in as root stays|0||went on as before
sudo from root stays root|0|root|went on as before
a user stays|1000|anna|went on as before
CASES

echo "== bash completion"
if [ ! -f /usr/share/bash-completion/bash_completion ]; then
  echo "FAIL bash-completion is not installed"
  exit 1
fi
mkdir -p "$work/files/sub dir"
touch "$work/files/"{a.trb,b.txt,c.docx,d.pdf,E.TRB}
# name | command line typed before Tab | what is offered (sorted, ";" between)
while IFS='|' read -r name line expected; do
  got=$(cd "$work/files" && "$BASH" -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    COMP_LINE=$2
    COMP_POINT=${#COMP_LINE}
    read -ra COMP_WORDS <<<"${COMP_LINE//=/ = }"
    [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _torbel torbel "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd";"' _ "$root/packaging/torbel.bash-completion" "$line")
  check "$name" "$expected" "$got"
done <<'CASES'
options|torbel --|--export;--help;--list;--output;--shift;--version
one option|torbel --ve|--version
lists|torbel --list |carry;layout;nutrition;purchases;shopping;weights
list after an equals sign|torbel --list=sh|shopping
documents|torbel --export |carry;layout;purchases;shopping
trip files and folders|torbel --list purchases |E.TRB;a.trb;sub dir
documents to write|torbel --export layout a.trb --output |c.docx;d.pdf;sub dir
no guess for a shift|torbel --list purchases a.trb --shift |
CASES

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
