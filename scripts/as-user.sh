# Sourced by run.sh and test.sh. Started with sudo, they install as root and then go on
# as the user who typed the command, so that the build and the files the program saves
# belong to that user and not to root.

# continue_as_invoking_user DIR SCRIPT ARGS...: when root through sudo, runs SCRIPT
# with ARGS again from DIR as $SUDO_USER, keeping what the windows need to reach the
# display, and does not return; otherwise returns at once.
continue_as_invoking_user() {
  local dir=$1
  shift
  if [ "$(id -u)" -ne 0 ] || [ -z "${SUDO_USER:-}" ] || [ "$SUDO_USER" = root ]; then
    return 0
  fi
  local keep=() var
  for var in DISPLAY WAYLAND_DISPLAY XAUTHORITY XDG_RUNTIME_DIR QT_QPA_PLATFORM CCACHE_DIR CCACHE_BASEDIR; do
    if [ -n "${!var:-}" ]; then
      keep+=("$var=${!var}")
    fi
  done
  echo "Дальше — от имени $SUDO_USER, а не root."
  cd "$dir"
  exec sudo -u "$SUDO_USER" -H -- env "${keep[@]}" bash "$@"
}
