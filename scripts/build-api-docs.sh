#!/usr/bin/env bash
# build-api-docs.sh - the scene library's API reference: the CMake target docs (cmake/Docs.cmake,
# Doxygen with docs/Doxyfile) built through the presets "docs", into build-docs/api/ (open
# build-docs/api/index.html). Not part of the test command.
#
# Installs what it needs first when it is missing (scripts/install-deps.sh docs, as root: what a
# configure needs, and Doxygen). Fails when Doxygen warns (an undocumented public class, function,
# field or macro, a broken link or command): the warnings are printed and kept in
# build-docs/doxygen-warnings.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/steps.sh

step "install-deps docs" scripts/install-deps.sh docs
quiet_step "configure build-docs" cmake --preset docs
step "build the target docs" cmake --build --preset docs
