#!/bin/sh
# Installs the build into a temporary DESTDIR under /usr and checks what a desktop needs:
# the three programs, the default textures, the menu entries and the metainfo (passing
# desktop-file-validate and appstreamcli validate --no-net), the labyrinth file type, the
# icons and the manual pages; the player is offered for .lab files after the editor. Then the installed editor, started as the menu starts it with
# a fresh home, makes ~/Dravo with the default textures.
set -u
build=$1
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR="$dest/root" cmake --install "$build" --prefix /usr >"$dest/install.log" 2>&1 \
  || { cat "$dest/install.log"; fail "cmake --install"; }
root="$dest/root/usr"
id=fr.dravo_ecole.Editeur
idj=fr.dravo_ecole.Joueur
for f in bin/dravo-editeur bin/dravo-lab bin/dravo-joueur share/applications/$idj.desktop \
         share/icons/hicolor/48x48/apps/dravo-joueur.png share/man/man1/dravo-joueur.1 \
         share/dravo-editeur/Briques.bmp share/dravo-editeur/sol.bmp \
         share/dravo-editeur/plafond.bmp share/dravo-editeur/screenshot.png \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/dravo-editeur.xml \
         share/icons/hicolor/16x16/apps/dravo-editeur.png \
         share/icons/hicolor/48x48/apps/dravo-editeur.png \
         share/icons/hicolor/256x256/apps/dravo-editeur.png \
         share/icons/hicolor/48x48/mimetypes/application-x-dravo-labyrinthe.png \
         share/man/man1/dravo-editeur.1 share/man/man1/dravo-lab.1; do
  [ -s "$root/$f" ] || fail "$f not installed"
done

desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop-file-validate"
desktop-file-validate "$root/share/applications/$idj.desktop" || fail "desktop-file-validate (player)"
grep -q '^Name=Dravo – Jouer$' "$root/share/applications/$idj.desktop" || fail "player's menu name"
grep -q '^Exec=dravo-joueur %f$' "$root/share/applications/$idj.desktop" || fail "player's Exec"
grep -q '^Icon=dravo-joueur$' "$root/share/applications/$idj.desktop" || fail "player's icon"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" || fail "appstreamcli"
grep -q '^Exec=dravo-editeur .*%f$' "$root/share/applications/$id.desktop" || fail "Exec takes no file"
grep -q '^MimeType=application/x-dravo-labyrinthe;$' "$root/share/applications/$id.desktop" \
  || fail "no MimeType"

# The file type: a .lab file is a Dravo labyrinth once the database is built.
mkdir -p "$dest/mime/packages"
cp "$root/share/mime/packages/dravo-editeur.xml" "$dest/mime/packages/"
update-mime-database "$dest/mime" >/dev/null 2>&1 || fail "update-mime-database"
grep -q 'application/x-dravo-labyrinthe:\*\.lab' "$dest/mime/globs2" || fail "*.lab not declared"
# Both programs open it, the editor first: without a default chosen, it is the one used.
mkdir "$dest/apps"
cp "$root/share/applications/"*.desktop "$dest/apps/"
update-desktop-database "$dest/apps" || fail "update-desktop-database"
grep -qx "application/x-dravo-labyrinthe=$id.desktop;$idj.desktop;" "$dest/apps/mimeinfo.cache" \
  || fail "the file type is not offered to the editor then the player: $(cat "$dest/apps/mimeinfo.cache")"

# The icons are squares of their folder's size.
for n in 16 32 48 64 128 256; do
  for icon in dravo-editeur dravo-joueur; do
    size=$(identify -format '%wx%h' "$root/share/icons/hicolor/${n}x$n/apps/$icon.png")
    [ "$size" = "${n}x$n" ] || fail "$icon ${n}x$n is $size"
  done
done
cmp -s "$root/share/icons/hicolor/48x48/apps/dravo-editeur.png" \
  "$root/share/icons/hicolor/48x48/apps/dravo-joueur.png" && fail "the player has the editor's icon"

grep -q '^\.B \\-\\-dossier\\-travail' "$root/share/man/man1/dravo-editeur.1" || fail "man page"
"$root/bin/dravo-lab" --version | grep -q '^dravo-lab ' || fail "installed dravo-lab"
grep -q 'monde_N.lab' "$root/share/man/man1/dravo-joueur.1" || fail "player's man page"
(unset DISPLAY WAYLAND_DISPLAY; "$root/bin/dravo-joueur" --version) | grep -q '^dravo-joueur ' \
  || fail "installed dravo-joueur"

# From the menu, without a file: ~/Dravo made with the three textures of the data folder.
mkdir "$dest/home"
(cd / && HOME="$dest/home" XDG_CONFIG_HOME="$dest/home/.config" QT_QPA_PLATFORM=offscreen \
  timeout 5 "$root/bin/dravo-editeur" --dossier-travail >"$dest/editor.log" 2>&1)
for t in Briques.bmp sol.bmp plafond.bmp; do
  cmp -s "$dest/home/Dravo/$t" "$root/share/dravo-editeur/$t" || fail "~/Dravo/$t not made"
done
# The Debian package: wine only suggested (our own player needs none).
cfg="$build/CPackConfig.cmake"
grep -q 'set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")' "$cfg" || fail "wine not suggested"
grep -E 'CPACK_DEBIAN_PACKAGE_(DEPENDS|RECOMMENDS)' "$cfg" | grep -qw wine \
  && fail "wine still pulled in by the package"
echo "install: all passed"
