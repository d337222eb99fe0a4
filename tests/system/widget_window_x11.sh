#!/usr/bin/env bash
# Runs the widget-window tests that need a real X server and window manager
# (the unit-test run uses the offscreen platform and skips them).
# Usage: widget_window_x11.sh <path-to-pellix-widget>
set -u
build=$(cd "$(dirname "$1")/../.." && pwd)
QT_QPA_PLATFORM=xcb exec "$build/tests/test_widget_window_x11"
