#!/usr/bin/env bash
# install-ifc-reader.sh - installs web-ifc (npm package, at the version below), the IFC reader that
# tests/tools/ifc-read.js reads cwstool's IFC exports back with, into build-tools/web-ifc/. Called by
# install-deps.sh all; needs node and npm and the npm registry, not root. Does nothing when that
# version is already there.
set -euo pipefail
exec "$(dirname "$0")/install-npm-tool.sh" web-ifc 0.0.78
