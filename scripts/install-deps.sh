#!/usr/bin/env bash
# Installs the Debian 12 packages that a command of the project needs, only those that
# are missing:
#   install-deps.sh [run|package|test]   (test, the default, is everything)
#   install-deps.sh --list [run|package|test]   prints the packages, one a line
# What the package is built from and depends on is read from debian/control, so the
# scripts and dpkg-buildpackage work from one list.
# As root it runs apt-get itself, as another user through sudo; when there is no sudo
# or sudo refuses, it prints the command for root and stops, since nothing can be built
# without the packages. TORBEL_SKIP_DEPS=1 skips all of it, for a system whose packages
# were installed by hand.
set -euo pipefail
# Bash alone from here to apt-get: the script has to speak on a bare system too.
here=${BASH_SOURCE[0]%/*}
[ "$here" != "${BASH_SOURCE[0]}" ] || here=.
control=$here/../debian/control

list_only=
if [ "${1:-}" = --list ]; then
  list_only=1
  shift
fi
group=${1:-test}
case "$group" in
  run | package | test) ;;
  *)
    echo "install-deps.sh: неизвестный набор «$group»; есть run, package и test" >&2
    exit 2
    ;;
esac

# The packages a field of debian/control names (Build-Depends; Depends of the binary
# package), without versions, architectures, build profiles and substitutions; of
# alternatives, the first. debhelper-compat is a name that debhelper provides.
control_field() { # FIELD
  local line on= value=
  while IFS= read -r line; do
    if [[ $line == "$1:"* ]]; then
      on=1
      value+="${line#"$1:"},"
    elif [ -n "$on" ] && [[ $line == [[:blank:]]* ]]; then
      value+="$line,"
    else
      on=
    fi
  done <"$control"
  local entry
  IFS=, read -ra entries <<<"$value"
  for entry in "${entries[@]}"; do
    entry=${entry%%|*}
    entry=${entry%%[([<]*}
    entry=${entry//[[:blank:]]/}
    case "$entry" in
      '' | '${'*) ;;
      debhelper-compat) echo debhelper ;;
      *) echo "$entry" ;;
    esac
  done
}

if [ ! -r "$control" ]; then
  echo "install-deps.sh: нет $control — список пакетов взять неоткуда" >&2
  exit 1
fi
mapfile -t build_depends < <(control_field Build-Depends)
mapfile -t depends < <(control_field Depends)
if [ "${#build_depends[@]}" -eq 0 ] || [ "${#depends[@]}" -eq 0 ]; then
  echo "install-deps.sh: в $control не нашлось Build-Depends или Depends" >&2
  exit 1
fi

# run: build the program and start it.
packages=(build-essential)
for p in "${build_depends[@]}"; do
  [ "$p" = debhelper ] || packages+=("$p")
done
packages+=("${depends[@]}")
# package: build the Debian package and check it (scripts/check-package.sh).
if [ "$group" != run ]; then
  packages+=(debhelper dpkg-dev lintian file appstream desktop-file-utils libxml2-utils man-db)
fi
# test: the tests, the formatting check, the sanitizers, fuzzing and the benchmarks.
if [ "$group" = test ]; then
  packages+=(
    git clang clang-format libclang-rt-dev libbenchmark-dev
    fonts-dejavu-core xvfb xauth poppler-utils libreoffice-writer-nogui bash-completion
  )
fi

if [ -n "$list_only" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

if [ -n "${TORBEL_SKIP_DEPS:-}" ]; then
  echo "TORBEL_SKIP_DEPS задана: пакеты не проверяются и не устанавливаются." >&2
  exit 0
fi

if ! command -v apt-get >/dev/null 2>&1 || ! command -v dpkg-query >/dev/null 2>&1; then
  while IFS= read -r line; do echo "$line" >&2; done <<EOF
Здесь нет apt и dpkg: эта система — не Debian и не Ubuntu, и поставить пакеты
сам скрипт не может. Для сборки программы нужны:

  компилятор C++20 (GCC 12 или Clang 15 и новее), CMake 3.25 и новее, pkg-config,
  Qt 6.4 и новее (Core, Gui, Widgets, PrintSupport; для тестов ещё Test),
  libxkbcommon, libzip, rsvg-convert (из librsvg)

Для тестов ещё: git, clang-format, Google Benchmark, Xvfb, poppler-utils,
LibreOffice Writer и bash-completion; шрифты Liberation и DejaVu.
В Debian эти пакеты называются: ${packages[*]}

Установите их средствами своей системы и повторите команду с TORBEL_SKIP_DEPS=1,
например: TORBEL_SKIP_DEPS=1 bash scripts/run.sh
EOF
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ "${#missing[@]}" -gt 0 ] || exit 0

# A user whose sudo refuses (not in the sudoers file, a wrong password) is in the same
# place as one without sudo: root has to install the packages.
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -v; then
  as_root=(sudo)
else
  command="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
  echo "Не хватает пакетов: ${missing[*]}" >&2
  echo "sudo нет или он вам не разрешён, поэтому установите их от имени root (например, войдя через su -):" >&2
  echo >&2
  echo "  $command" >&2
  echo >&2
  echo "или одной командой: su -c '$command'" >&2
  echo "и повторите команду (или задайте TORBEL_SKIP_DEPS=1, если ставите пакеты сами)." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
# Through env: sudo would drop DEBIAN_FRONTEND from the environment.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
