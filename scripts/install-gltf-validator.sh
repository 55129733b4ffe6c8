#!/usr/bin/env bash
# install-gltf-validator.sh - installs the Khronos glTF Validator (npm package gltf-validator, at the
# version below) into build-tools/gltf-validator/, where tests/tools/gltf-validate.js finds it. Called
# by install-deps.sh all; needs node and npm and the npm registry, not root. Does nothing when that
# version is already there.
set -euo pipefail
exec "$(dirname "$0")/install-npm-tool.sh" gltf-validator 2.0.0-dev.3.10
