#!/usr/bin/env bash
# Renders the main window on the demo package (offscreen, with the installed fonts) into
# docs/screenshots/item-page.png, docs/screenshots/dvr-page.png and docs/screenshots/custom-logo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target demo_package tavo_screenshots
QT_QPA_PLATFORM=offscreen build/default/app/tavo_screenshots build/default/demo/package docs/screenshots
echo "docs/screenshots/item-page.png docs/screenshots/dvr-page.png docs/screenshots/custom-logo.png"
