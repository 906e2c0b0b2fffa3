#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh left in build/, as a user
# gets it: its file list; unpacked into a temporary root and run from there
# with a temporary home (quorvane-send and the desktop program starting at once
# on first use, each finding the events in the user folder they fill); its menu
# entry, metainfo and manual pages; its copyright file and licence; and
# lintian, which must report no error.
# Every step is bounded in time; the first failure ends the check with a line
# that starts "PACKAGE CHECK FAILED".
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "PACKAGE CHECK FAILED: $*" >&2
  exit 1
}
step() { echo "== package check: $*"; }

debs=(build/quorvane_*_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one build/quorvane_<version>_<arch>.deb"
deb="${debs[0]}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

step "files of $deb"
# Exactly the programs and what they need: no test, benchmark or fuzz target.
expected="/usr/bin/quorvane
/usr/bin/quorvane-send
/usr/lib/udev/rules.d/60-quorvane-ftdi.rules
/usr/share/applications/org.quorvane.Quorvane.desktop
/usr/share/doc/quorvane/changelog.gz
/usr/share/doc/quorvane/copyright
/usr/share/icons/hicolor/128x128/apps/org.quorvane.Quorvane.png
/usr/share/icons/hicolor/16x16/apps/org.quorvane.Quorvane.png
/usr/share/icons/hicolor/22x22/apps/org.quorvane.Quorvane.png
/usr/share/icons/hicolor/24x24/apps/org.quorvane.Quorvane.png
/usr/share/icons/hicolor/256x256/apps/org.quorvane.Quorvane.png
/usr/share/icons/hicolor/32x32/apps/org.quorvane.Quorvane.png
/usr/share/icons/hicolor/48x48/apps/org.quorvane.Quorvane.png
/usr/share/icons/hicolor/64x64/apps/org.quorvane.Quorvane.png
/usr/share/icons/hicolor/scalable/apps/org.quorvane.Quorvane.svg
/usr/share/man/man1/quorvane-send.1.gz
/usr/share/man/man1/quorvane.1.gz
/usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml
/usr/share/quorvane/0.evnt
/usr/share/quorvane/1.evnt
/usr/share/quorvane/2.evnt
/usr/share/quorvane/images/lcd_0.bmp
/usr/share/quorvane/images/lcd_1.bmp
/usr/share/quorvane/images/lcd_2.bmp
/usr/share/quorvane/images/lcd_3.bmp"
listed="$(dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { sub(/^\./, "", $6); print $6 }' | LC_ALL=C sort)"
if [ "$listed" != "$(LC_ALL=C sort <<<"$expected")" ]; then
  diff <(LC_ALL=C sort <<<"$expected") <(echo "$listed") || true
  fail "the package holds other files than expected (- expected, + in the package)"
fi
dpkg-deb -f "$deb" Section | grep -qx electronics || fail "section is not electronics"
dpkg-deb -f "$deb" Depends | grep -q "fonts-dejavu-core" || fail "Depends lacks the fonts"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "Depends lacks what shlibdeps finds"

step "unpacked into a temporary root, run with a temporary home"
root="$work/root"
dpkg-deb -x "$deb" "$root"
unset XDG_DATA_HOME QUORVANE_FOLDER QUORVANE_PORT
export QT_QPA_PLATFORM=offscreen
shipped="$root/usr/share/quorvane"
# The user folder holds every shipped file, byte for byte.
check_user_folder() {
  local user="$1/.local/share/quorvane"
  (cd "$shipped" && find . -type f | LC_ALL=C sort) >"$work/shipped.txt"
  (cd "$user" && find . -type f | LC_ALL=C sort) >"$work/user.txt" || fail "no user folder $user"
  diff "$work/shipped.txt" "$work/user.txt" || fail "the user folder $user is not whole"
  while read -r file; do
    cmp -s "$shipped/$file" "$user/$file" || fail "$user/$file differs from the shipped file"
  done <"$work/shipped.txt"
}

home="$work/home-send"
mkdir "$home"
out="$(HOME="$home" timeout 60 "$root/usr/bin/quorvane-send" --port sim --virtual-time --reset \
  --command "33, 200" 2>"$work/send.err")" || { cat "$work/send.err"; fail "quorvane-send failed"; }
echo "$out"
[ ! -s "$work/send.err" ] || { cat "$work/send.err"; fail "quorvane-send reported a problem"; }
[ "$(head -n 1 <<<"$out")" = "port: sim (simulated); program folder $home/.local/share/quorvane/" ] ||
  fail "quorvane-send did not choose the user folder"
grep -qx "reset event: 3 port writes, waited 10 ms" <<<"$out" || fail "the reset event was not found"
grep -qx 'command list "33, 200": 2 bytes, 36 port writes, waited 0 ms' <<<"$out" ||
  fail "the command event was not found"
check_user_folder "$home"

# The desktop program and quorvane-send starting at once on first use.
home="$work/home-both"
mkdir "$home"
HOME="$home" timeout 60 "$root/usr/bin/quorvane" --port sim --screenshot "$work/window.png" \
  --trace "$work/window.csv" >"$work/desktop.out" 2>&1 &
desktop=$!
HOME="$home" timeout 60 "$root/usr/bin/quorvane-send" --port sim --virtual-time --reset \
  >"$work/send.out" 2>&1 || { cat "$work/send.out"; fail "quorvane-send failed beside the desktop program"; }
wait "$desktop" || { cat "$work/desktop.out"; fail "the desktop program did not start and end"; }
file "$work/window.png" | grep -q "PNG image data" || fail "the desktop program saved no screenshot"
# Start-up, the default command list through the command event (6 bytes of 18
# writes each) and shut-down: the desktop program found its events too.
writes=$(($(wc -l <"$work/window.csv") - 1))
[ "$writes" -ge 110 ] || fail "the desktop program made $writes port writes: its events are missing"
grep -q "reset event: 3 port writes" "$work/send.out" || fail "quorvane-send missed the reset event"
check_user_folder "$home"
HOME="$home" "$root/usr/bin/quorvane" --help |
  grep -qx "Program folder (the event files and images/lcd_N.bmp): $home/.local/share/quorvane/" ||
  fail "quorvane --help does not name the user folder"
echo "quorvane-send and the desktop program started at once; the user folder is whole"

step "menu entry and metainfo"
timeout 60 desktop-file-validate "$root/usr/share/applications/org.quorvane.Quorvane.desktop" ||
  fail "desktop-file-validate"
timeout 60 appstreamcli validate --no-net \
  "$root/usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml" || fail "appstreamcli validate"
grep -q "<project_license>GPL-3.0-or-later</project_license>" \
  "$root/usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml" ||
  fail "the metainfo does not name the licence GPL-3.0-or-later"

step "copyright file and licence"
# The machine-readable copyright file names the licence and points at its
# text on Debian systems; lintian's copyright and licence checks, with every
# tag shown, find nothing in it.
copyright="$root/usr/share/doc/quorvane/copyright"
grep -qx "License: GPL-3+" "$copyright" || fail "the copyright file does not say License: GPL-3+"
grep -qx "Copyright: [0-9, -]* The Quorvane developers" "$copyright" ||
  fail "the copyright file has no copyright line of the Quorvane developers"
grep -q "/usr/share/common-licenses/GPL-3'" "$copyright" ||
  fail "the copyright file does not point at /usr/share/common-licenses/GPL-3"
status=0
timeout 300 lintian --check-part debian/copyright,files/licenses --display-info \
  --display-experimental --pedantic "$deb" >"$work/lintian-copyright.raw" 2>&1 || status=$?
grep -v "running with root privileges" "$work/lintian-copyright.raw" >"$work/lintian-copyright.txt" ||
  true
[ "$status" -eq 0 ] || { cat "$work/lintian-copyright.txt"; fail "lintian's copyright checks (status $status)"; }
[ ! -s "$work/lintian-copyright.txt" ] || {
  cat "$work/lintian-copyright.txt"
  fail "lintian finds fault with the copyright file or the licence"
}
echo "copyright file: GPL-3+, no lintian tag from its copyright and licence checks"

step "manual pages"
for page in quorvane quorvane-send; do
  file="$root/usr/share/man/man1/$page.1.gz"
  LC_ALL=C.UTF-8 MANWIDTH=80 timeout 60 man --warnings -E UTF-8 -l "$file" \
    >"$work/$page.txt" 2>"$work/$page.warnings" || fail "man -l $page.1.gz"
  [ ! -s "$work/$page.warnings" ] || { cat "$work/$page.warnings"; fail "man warns about $page.1"; }
  grep -q "EXIT STATUS" "$work/$page.txt" || fail "$page.1 renders without its EXIT STATUS"
  echo "$page.1: $(wc -l <"$work/$page.txt") lines, no warnings"
done

step "lintian"
status=0
timeout 300 lintian --display-info --fail-on error "$deb" >"$work/lintian.raw" 2>&1 || status=$?
grep -v "running with root privileges" "$work/lintian.raw" | tee "$work/lintian.txt" || true
[ "$status" -eq 0 ] || fail "lintian reports errors (status $status)"
echo "lintian: $(grep -c '^E:' "$work/lintian.txt" || true) errors," \
  "$(grep -c '^W:' "$work/lintian.txt" || true) warnings," \
  "$(grep -c '^I:' "$work/lintian.txt" || true) infos"
step "passed"
