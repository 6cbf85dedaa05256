#!/usr/bin/env bash
# The installed application: cmake --install puts the programs, the launcher, the settings,
# the template books, the desktop file and the icon in place, and the launcher makes a new
# application folder ready with a sample book, leaving an existing folder's files alone.
set -u
build="$1"
source "$(dirname "$0")/check.sh"

cmake --install "$build" --prefix "$work/prefix" > /dev/null
check "install exits 0" 0 $?
for file in bin/quillvane bin/qvtool bin/quillvane-launcher share/quillvane/aa.ini \
            share/quillvane/qvdef.qvp share/quillvane/qvdefbig5.qvp \
            share/applications/quillvane.desktop share/icons/hicolor/128x128/apps/quillvane.png; do
  check "$file is installed" yes "$([ -f "$work/prefix/$file" ] && echo yes || echo no)"
done
check "the desktop file starts the launcher" "Exec=quillvane-launcher" \
  "$(grep '^Exec=' "$work/prefix/share/applications/quillvane.desktop")"

app="$work/home/Quillvane"
export ASAN_OPTIONS=detect_leaks=0
check "the launcher names the folder it prepared" "$app" \
  "$(QUILLVANE_HOME="$app" "$work/prefix/bin/quillvane-launcher" --prepare)"
for file in aa.ini qvdef.qvp qvdefbig5.qvp Data/Default.qvp; do
  check "$file is in the new application folder" yes "$([ -f "$app/$file" ] && echo yes || echo no)"
done
check "the sample book holds entries" "entries: 48" \
  "$("$work/prefix/bin/qvtool" info "$app/Data/Default.qvp" | head -1)"

echo "DataDir=$app/Data/" >> "$app/aa.ini"
rm "$app/Data/Default.qvp"
QUILLVANE_HOME="$app" "$work/prefix/bin/quillvane-launcher" --prepare > /dev/null
check "a second start keeps the user's settings" 1 "$(grep -c '^DataDir=' "$app/aa.ini")"
check "a second start makes no new sample book" no \
  "$([ -f "$app/Data/Default.qvp" ] && echo yes || echo no)"

exit $failures
