#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
source "$(dirname "$0")/scripts/comune.sh"
installa_mancanti
costruisci
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest -j "$(nproc)" --output-on-failure --timeout 300
