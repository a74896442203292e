#!/usr/bin/env bash
# Checks a built Debian package of tessaly: unpacks it into a temporary root, runs the installed
# program there (its version; a picture whose error line must come out in German under
# LANGUAGE=de), validates the desktop entry and the AppStream metainfo, and runs lintian on it.
# Usage: scripts/check-package.sh tessaly_<version>_<arch>.deb
set -euo pipefail
deb=$(readlink -f "$1")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }

dpkg-deb --info "$deb" >/dev/null || fail "not a Debian package: $deb"
dpkg -x "$deb" "$root"
program="$root/usr/bin/tessaly"
[ -x "$program" ] || fail "no usr/bin/tessaly in the package"
for f in usr/share/tessaly/tessaly.en.itl usr/share/tessaly/tessaly.de.itl \
         usr/share/tessaly/tessaly.fr.itl usr/share/tessaly/tessaly.es.itl \
         usr/share/tessaly/tessaly-explain.png usr/share/man/man1/tessaly.1.gz \
         usr/share/applications/org.tessaly.Tessaly.desktop \
         usr/share/metainfo/org.tessaly.Tessaly.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.tessaly.Tessaly.svg \
         usr/share/icons/hicolor/48x48/apps/org.tessaly.Tessaly.png \
         usr/share/doc/tessaly/copyright usr/share/doc/tessaly/changelog.gz; do
    [ -e "$root/$f" ] || fail "missing $f"
done

version=$("$program" --version)
echo "installed program: $version"
case "$version" in *"$(dpkg-deb -f "$deb" Version)"*) ;; *) fail "--version says '$version'";; esac

# The installed program finds its language files from its own place, in the user's language.
export QT_QPA_PLATFORM=offscreen
err=$(cd "$root" && LANGUAGE=de LANG=C.UTF-8 "$program" --render "$root/y.png" --formula y 2>&1 >/dev/null)
[ -s "$root/y.png" ] || fail "--render wrote no picture"
case "$err" in *"nicht definierte Variable"*) ;; *) fail "the error line is not German: '$err'";; esac
err=$(LANGUAGE=fr LANG=C.UTF-8 "$program" --render "$root/y.png" --formula y 2>&1 >/dev/null)
case "$err" in *"variable non définie"*) ;; *) fail "the error line is not French: '$err'";; esac
err=$(LANGUAGE=xx LANG=C.UTF-8 "$program" --render "$root/y.png" --formula y 2>&1 >/dev/null)
case "$err" in *'undefined variable "y"'*) ;; *) fail "the error line is not English: '$err'";; esac

desktop-file-validate "$root/usr/share/applications/org.tessaly.Tessaly.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.tessaly.Tessaly.metainfo.xml"
if command -v lintian >/dev/null; then
    # Errors fail the check; warnings are shown.
    lintian --tag-display-limit 0 "$deb" | tee "$root/lintian.txt" || true
    if grep -q '^E:' "$root/lintian.txt"; then
        fail "lintian reports errors"
    fi
fi
echo "package check: $(basename "$deb") is fine"
