#!/bin/bash
# Installs every package Lumaro needs to build, run and test on Debian 12.
# Does nothing (beyond a quick check) when they are all present.
set -euo pipefail

# culmus gives the Yiddish print font and, with fonts-dejavu-core, screen
# fonts that show Hebrew script. fonts-urw-base35 has the fonts Ghostscript
# prints for Helvetica, whose metrics lay out the printout. libgs-dev makes
# PDF; poppler-utils reads it back in the tests. dbus and python3-dbus/
# python3-gi run the stand-in notification service of the tests.
# libayatana-appindicator-dev (the GTK 2 build) puts `lumaro --indicator` in
# the panel; status-notifier-watcher, gtk-sni-tray-standalone
# (haskell-status-notifier-item-utils, haskell-gtk-sni-tray-utils), trayer
# and x11-utils show and inspect it in the tests. man-db,
# lintian, appstream and desktop-file-utils check the manual pages and the
# Debian package.
PACKAGES=(
  build-essential cmake pkg-config
  libgtk2.0-dev libfribidi-dev libfreetype-dev libcups2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick ghostscript
  culmus fonts-dejavu-core fonts-urw-base35 faketime cups
  python3 python3-icalendar tzdata locales libhowardhinnant-date-dev
  libgs-dev libglib2.0-dev poppler-utils
  dbus dbus-bin python3-dbus python3-gi
  libayatana-appindicator-dev haskell-status-notifier-item-utils haskell-gtk-sni-tray-utils trayer x11-utils
  bash-completion man-db groff-base lintian appstream desktop-file-utils dpkg-dev
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# A locale whose decimal separator is a comma, for the tests that check
# that PostScript numbers keep their decimal point.
ensure_comma_locale() {
  if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    $SUDO locale-gen > /dev/null
  fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  ensure_comma_locale
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_comma_locale
