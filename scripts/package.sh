#!/usr/bin/env bash
# Builds the Debian package from debian/ as a Debian maintainer does
# (dpkg-buildpackage -us -uc -b) and copies it to build/torbel_<version>_<arch>.deb.
# dpkg-buildpackage writes its results beside the source tree and leaves its own files
# in it, so it works on a copy of the sources in build/package/: the copy is the clean
# tree, and the git tree sees no new files. Only what the package holds is built.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "package: $*" >&2
  exit 1
}

bash scripts/install-deps.sh package

version=$(sed -n 's/^project(torbel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
debversion=$(dpkg-parsechangelog -S Version)
[ "${debversion%-*}" = "$version" ] ||
  fail "debian/changelog is at $debversion, CMakeLists.txt at $version: add a changelog entry (dch -v $version-1)"

work=build/package
src=$work/torbel-$version
rm -rf "$work"
mkdir -p "$src"
# What git would commit, with the changes not committed yet: the files ignored (the
# build folders) stay out.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z -co --exclude-standard | while IFS= read -r -d '' f; do
    [ ! -e "$f" ] || printf '%s\0' "$f"
  done | tar --null -T - -cf - | tar -xf - -C "$src"
else
  tar --exclude='./build*' --exclude='./fuzz-build*' -cf - . | tar -xf - -C "$src"
fi

# dh gives the build a home of its own; ccache, when there, keeps using the user's cache.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
  CCACHE_DIR=$(ccache --get-config cache_dir)
  export CCACHE_DIR
fi
(cd "$src" && dpkg-buildpackage -us -uc -b -j2)

deb=torbel_${debversion}_$(dpkg --print-architecture).deb
[ -f "$work/$deb" ] || fail "dpkg-buildpackage made no $work/$deb"
cp "$work/$deb" build/
echo "Package: build/$deb"
