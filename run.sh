#!/usr/bin/env bash
# Installs what is missing, builds, and starts the tool against the simulated
# ECU (bin/VirUzo.ini selects it).
source "$(dirname "$0")/scripts/comune.sh"
installa_mancanti
costruisci mondaro VirUzo CentralinaSimulata dist
cd "$BUILD/dist/bin"
exec ./mondaro "$@"
