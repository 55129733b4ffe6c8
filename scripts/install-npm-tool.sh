#!/usr/bin/env bash
# install-npm-tool.sh PACKAGE VERSION - installs an npm package at exactly that version into
# build-tools/PACKAGE/, where the test scripts in tests/tools/ find it (the Khronos glTF Validator,
# the web-ifc IFC reader). Needs node and npm and the npm registry, not root. Does nothing when that
# version is already there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
package=$1
version=$2
dir=$root/build-tools/$package

installed=$(cd "$dir" 2>/dev/null && node -p "require('./node_modules/$package/package.json').version" 2>/dev/null || true)
if [ "$installed" != "$version" ]; then
  mkdir -p "$dir"
  npm install --prefix "$dir" --save-exact --no-audit --no-fund --loglevel=error "$package@$version" >/dev/null
fi
