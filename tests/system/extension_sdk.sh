#!/usr/bin/env bash
# The SDK as another programmer gets it: installed alone into a prefix, the
# example extension built against it out of the tree and installed into the
# user's extensions folder, then listed and rendered by the host. Beside it,
# plug-ins the host must refuse, each with its reason and without running any
# of its code: one for another API major, one of another application, a
# library that is no plug-in, and a good one in a folder others may write.
# Last, the real app finds the user's build: switched on in the control panel,
# drawn, and dragged next to the clock, where it snaps and stays.
# Usage: extension_sdk.sh <path-to-pellix-widget>   (PELLIX_BUILD_DIR: the build tree; PELLIX_HOST)
set -u
app=$1
build=${PELLIX_BUILD_DIR:?set PELLIX_BUILD_DIR to the build tree}
host=${PELLIX_HOST:?set PELLIX_HOST to pellix-widget-host}
. "$(dirname "$0")/support/harness.sh"
unset PELLIX_EXTENSION_PATH
export QT_QPA_PLATFORM=offscreen LANGUAGE=de
sdk=$root/sdk
cmake --install "$build" --prefix "$sdk" --component dev >"$root/sdk.log" 2>&1 || { cat "$root/sdk.log"; exit 1; }
check "the public headers include only the SDK's, Qt's public ones and the standard library's" \
  test -z "$(grep -h '^#include' "$sdk"/include/PellixWidgetKit/*.h | grep -Ev '^#include <(PellixWidgetKit/\w+\.h|Q\w+|\w+)>$')"

# cmake_build NAME SOURCE: configured with the installed SDK only, warnings as errors.
cmake_build() {
  cmake -S "$2" -B "$root/$1" -DCMAKE_PREFIX_PATH="$sdk" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" \
    -DCMAKE_INSTALL_PREFIX="$root/prefix" >"$root/$1.log" 2>&1 && cmake --build "$root/$1" -j2 >>"$root/$1.log" 2>&1
}
if cmake_build example "$repo_dir/examples/system"; then ok "the example builds against the installed SDK"
else fail "the example does not build"; tail -20 "$root/example.log"; finish; fi
cmake --install "$root/example" >>"$root/example.log" 2>&1
mkdir -p "$XDG_DATA_HOME" && mv "$root/prefix/share/pellix-widget" "$XDG_DATA_HOME/"

# Each plug-in writes its name to the marker as it is loaded.
mkdir -p "$root/bad"
export PELLIX_TEST_MARKER=$root/loaded
plugin() {  # NAME IID JSON
  cat >"$root/bad/$1.cpp" <<EOT
#include <PellixWidgetKit/WidgetBundle.h>
#include <QObject>
#include <cstdio>
#include <cstdlib>
static const bool loaded = [] {
    if (FILE *f = std::fopen(std::getenv("PELLIX_TEST_MARKER"), "a")) { std::fputs("$1\n", f); std::fclose(f); }
    return true;
}();
class $1 : public QObject, public widgetkit::WidgetBundle {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID $2 FILE "$3")
    Q_INTERFACES(widgetkit::WidgetBundle)
public:
    QList<const widgetkit::Widget *> widgets() const override { return {}; }
};
#include "$1.moc"
EOT
}
plugin Future '"com.pellixwidget.WidgetBundle/2"' future.json
echo '{"id": "org.example.Future", "version": "3.0.0", "apiVersion": "2.1"}' >"$root/bad/future.json"
plugin Foreign '"org.example.Clock/1"' future.json
plugin Unsafe PellixWidgetBundle_iid pellix-extension.json
echo 'static const int loaded = [] { return std::fputs("Plain\n", std::fopen(std::getenv("PELLIX_TEST_MARKER"), "a")); }();' \
  | cat <(printf '#include <cstdio>\n#include <cstdlib>\n') - >"$root/bad/Plain.cpp"
cat >"$root/bad/CMakeLists.txt" <<'EOT'
cmake_minimum_required(VERSION 3.25)
project(Refused LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_AUTOMOC ON)
find_package(PellixWidgetKit 1.0 REQUIRED)
pellix_add_widget_extension(Unsafe ID org.example.Unsafe VERSION 0.1 SOURCES Unsafe.cpp)
foreach(name Future Foreign)
  add_library(${name} MODULE ${name}.cpp)
  target_link_libraries(${name} PRIVATE PellixWidgetKit::WidgetKit)
  set_target_properties(${name} PROPERTIES PREFIX "")
endforeach()
add_library(Plain SHARED Plain.cpp)
set_target_properties(Plain PROPERTIES PREFIX "")
EOT
cmake_build refused "$root/bad" || { fail "the refused plug-ins do not build"; tail -20 "$root/refused.log"; finish; }
mkdir -p "$root/extra" "$root/shared/pellix-widget/extensions"
cp "$root"/refused/{Future,Foreign,Plain}.so "$root/extra/"
cp "$root/refused/Unsafe.so" "$root/shared/pellix-widget/extensions/"
chmod 777 "$root/shared/pellix-widget/extensions"

PELLIX_EXTENSION_PATH=$root/extra XDG_DATA_DIRS=$root/shared "$host" --list >"$root/list" 2>"$root/list.err"
cat "$root/list"
expect_line() { check "$1" grep -qxF "$2" "$root/list"; }
ext=$XDG_DATA_HOME/pellix-widget/extensions
expect_line "the example is listed from the user's folder with its versions" \
  "com.pellixwidget.examples.System 1.0.0, widget API 1.0: $ext/PellixSystemExtension.so"
expect_line "with its widget, in German" \
  "$(printf '\tPellixSystemWidget\tSystem\tsmall,medium\tCPU-Last, Arbeitsspeicher, Speicherplatz und Laufzeit.')"
expect_line "another major is refused, both versions named, in German too" \
  "refused: $root/extra/Future.so (org.example.Future 3.0.0): für Widget-API 2.1 gebaut, dieser Host hat 1.0"
expect_line "another application's plug-in is refused" \
  "refused: $root/extra/Foreign.so: keine PellixWidget-Erweiterung (ihre Schnittstelle ist „org.example.Clock/1“)"
expect_line "a library that is no plug-in is refused" "refused: $root/extra/Plain.so: kein Qt-Plug-in"
expect_line "a plug-in in a folder others may write is refused" \
  "refused: $root/shared/pellix-widget/extensions/Unsafe.so: $root/shared/pellix-widget/extensions ist für andere Benutzer beschreibbar"
check "the shipped copy of the example yields to the one found first" \
  grep -q "^refused: .*/PellixSystemExtension.so (com.pellixwidget.examples.System 1.0.0): die ID com.pellixwidget.examples.System ist schon von $ext/PellixSystemExtension.so belegt$" "$root/list"
check "the project's own extension is listed too" grep -q '^com.pellixwidget.PellixWidgetExtension ' "$root/list"
check "no code of a refused plug-in ran" test ! -e "$root/loaded"
chmod 755 "$root/shared/pellix-widget/extensions"
XDG_DATA_DIRS=$root/shared "$host" --list >/dev/null 2>&1
check "the same plug-in once the folder is safe is loaded (and its code runs)" grep -qx Unsafe "$root/loaded"

# pixels FILE COLOUR: how many pixels of about that colour the image has.
pixels() { convert "$1" -alpha off -fuzz 6% -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(mean*w*h+0.5)]' info:; }
png=${PELLIX_SCREENSHOT:-$root/system.png}
check "the host renders the example's medium widget" "$host" --render PellixSystemWidget --family medium --scale 2 --out "$png"
check "at the medium size" test "$(identify -format %wx%h "$png")" = 680x340
check "with the disk meter filled (orange)" test "$(pixels "$png" '#FF9F0A')" -gt 50
check "its timeline holds readings and a reload a minute on" python3 -c '
import json, sys, datetime
t = json.load(sys.stdin); e = t["entries"][0]; d = e["data"]
at = lambda s: datetime.datetime.fromisoformat(s.replace("Z", "+00:00"))
assert 0 <= d["cpuPercent"] <= 100 and 0 < d["memoryUsed"] < d["memoryTotal"] and 0 < d["diskUsed"] < d["diskTotal"]
assert (at(t["reloadDate"]) - at(e["date"])).total_seconds() == 60' < <("$host" --timeline PellixSystemWidget 2>/dev/null)


# The app with a copy of the host alone in its folder: the tree's own System
# build (beside the real host) is out of reach, the user's is the only one.
needs DISPLAY "the X server"
needs DBUS_SESSION_BUS_ADDRESS "the private buses"
unset QT_QPA_PLATFORM
mkdir "$root/host" && cp "$host" "$root/host/"
check "the copied host finds one System build, the user's" \
  test "$("$root/host/pellix-widget-host" --list 2>/dev/null | grep -c PellixSystemExtension.so)" = 1
echo '{"widget.clock.enabled": true}' >"$settings_file"
start_atspi
launch PELLIX_HOST="$root/host/pellix-widget-host"
wait_for 20 window clock && wait_for 20 panel || fail "no clock or no panel"
# The card is there once the extension's process has said hello (its name in German).
switch_on() {
  /usr/bin/python3 -c "$atspi_py"'
card = find("PellixWidget Control Panel", lambda n: n.name == "System" and n.getRole() == pyatspi.ROLE_PANEL)
switch = pyatspi.findDescendant(card, lambda n: n is not None and n.name == "System" and n.getRole() == pyatspi.ROLE_CHECK_BOX)
actions = switch.queryAction()
actions.doAction([actions.getName(i) for i in range(actions.nActions)].index("Toggle"))'
}
system=ext:PellixSystemWidget
if wait_for 20 switch_on && wait_for 10 window "$system"; then
  ok "switched on in the panel, the user's System widget is on the desktop"
  sleep 1
  check "with its content drawn" test "$(dark_pixels "$(window "$system")")" -gt 100
  # Dropped 6 px left of the clock and 5 px lower: it snaps flush left of it, tops aligned.
  read -r cx cy <<<"$(content_origin "$(window clock)")"
  height=$(xdotool getdisplaygeometry | cut -d' ' -f2)
  drag "$(window "$system")" $((cx - 176)) $((cy + 5))
  check "its place beside the clock is saved" wait_for 5 eval '[ "$(saved_position "$system")" = "$((cx - 170)) $((height - cy - 170))" ]'
else
  fail "the user's System widget was not switched on from the panel"
fi
finish
