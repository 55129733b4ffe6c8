#!/usr/bin/env bash
# install-gltf-validator.sh - installs the Khronos glTF Validator (npm package gltf-validator, at the
# version below) into build-tools/gltf-validator/, where tests/tools/gltf-validate.js finds it. Called
# by install-deps.sh all; needs node and npm and the npm registry, not root. Does nothing when that
# version is already there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=2.0.0-dev.3.10
dir=$root/build-tools/gltf-validator

installed=$(cd "$dir" 2>/dev/null && node -p "require('./node_modules/gltf-validator/package.json').version" 2>/dev/null || true)
if [ "$installed" != "$version" ]; then
  mkdir -p "$dir"
  npm install --prefix "$dir" --save-exact --no-audit --no-fund --loglevel=error "gltf-validator@$version" >/dev/null
fi
