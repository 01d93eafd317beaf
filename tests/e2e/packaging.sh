# Sourced by the install checks: an empty root folder to install into, the build folder that
# made the program, and checks of what an installation holds and how the installed program
# behaves.
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"
app_id=io.github.orvanta.Orvanta

# Makes $root, an empty folder that everyone may enter, and $home, a home folder for the user
# who runs the installed program; both go, and the program ends, on exit.
prepare_root() {
  origin="$(cd "$(dirname "$1")" && pwd)"
  root="$(mktemp -d)"
  chmod 755 "$root"
  home="$root/home"
  mkdir "$home"
  pid=""
  trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; chmod -R u+w "$root"; rm -rf "$root"' EXIT
}

# Prints the build folder that made the program: the nearest folder above with a CMakeCache.txt.
build_folder() {
  local folder="$origin"
  while [ "$folder" != / ] && [ ! -f "$folder/CMakeCache.txt" ]; do folder="$(dirname "$folder")"; done
  [ "$folder" != / ] || fail "no build folder above $origin"
  echo "$folder"
}

# Checks the files an installation under the prefix folder must hold, and validates the
# desktop entry and the metainfo.
check_installed_files() {
  local prefix="$1" file program
  [ -L "$prefix/bin/orvanta" ] || fail "bin/orvanta is not a link"
  [[ "$(readlink "$prefix/bin/orvanta")" != /* ]] || fail "bin/orvanta is not a relative link"
  program="$(readlink -f "$prefix/bin/orvanta")"
  [ -x "$program" ] || fail "bin/orvanta leads to no program"
  for file in Help/index.html Help/settings.html Templates/Default.txt; do
    [ -f "$(dirname "$program")/$file" ] || fail "$file is not beside the program"
  done
  for file in "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$app_id.svg" share/man/man1/orvanta.1 \
    share/doc/orvanta/LICENSE share/doc/orvanta/copyright; do
    [ -f "$prefix/$file" ] || fail "$file is missing"
  done
  grep -qx 'Exec=orvanta %f' "$prefix/share/applications/$app_id.desktop" || fail "the entry does not start orvanta with a file"
  grep -qx "Icon=$app_id" "$prefix/share/applications/$app_id.desktop" || fail "the entry does not name the icon"
  desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop-file-validate failed"
  appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate failed"
  man -l "$prefix/share/man/man1/orvanta.1" 2>&1 >/dev/null | grep . && fail "the man page has faults"
  return 0
}

# Runs the command as a user who may not write the program's folder: nobody when we are root
# (root may write anywhere), else ourselves with the folder made read-only.
run_as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$home"
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
  else
    "$@"
  fi
}

# Starts the installed orvanta from PATH, in $home, on a deck named relative to it; the window
# must show the deck. After File > Exit, Settings.ini and History.ini must lie in the user's
# configuration folder, not beside the program.
check_installed_program() {
  local prefix="$1" program config="$home/config/orvanta"
  program="$(dirname "$(readlink -f "$prefix/bin/orvanta")")"
  [ "$(id -u)" -eq 0 ] || chmod a-w "$program"
  cp "$(dirname "$0")/../../examples/Capitals.txt" "$home/"
  cd "$home" || fail "no home folder"
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR= PATH="$prefix/bin:$PATH" \
    run_as_user orvanta Capitals.txt &
  pid=$!
  window="$(wait_for_window '^Orvanta( - .+)?$')"
  wait_until is_titled "$window" '^Orvanta - Capitals\.txt$' || fail "the installed program did not open the deck"
  exit_program
  [ -f "$config/Settings.ini" ] || fail "Settings.ini is not in $config"
  grep -qx "Item0=$home/Capitals.txt" <(tr -d '\r' <"$config/History.ini") ||
    fail "History.ini in $config does not name the deck"
  [ ! -e "$program/Settings.ini" ] && [ ! -e "$program/History.ini" ] ||
    fail "the files were written beside the installed program"
}
