# steps.sh - sourced by the scripts in this folder: named steps that say why they failed.
#
#   step NAME COMMAND...        runs COMMAND with its output shown as it comes
#   quiet_step NAME COMMAND...  runs COMMAND with its output kept in a log, shown only when it fails
#
# A step that fails prints "SCRIPT: step 'NAME' failed (exit N)" on stderr (after the log of a quiet
# step) and ends the script with N. Anything else that fails under `set -e` is named by the ERR trap,
# so no failure ends a script without a word. The scripts also share the number of jobs and
# fresh_tree, below.

steps_script=$(basename "$0")
set -o errtrace  # the trap below also names failures inside functions
trap 'echo "$steps_script: failed (exit $?) at line $LINENO: $BASH_COMMAND" >&2' ERR

step() {
  local name=$1 status=0
  shift
  "$@" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "$steps_script: step '$name' failed (exit $status)" >&2
    exit "$status"
  fi
}

quiet_step() {
  local name=$1 status=0 log
  shift
  log=$(mktemp "${TMPDIR:-/tmp}/skipfloor-step.XXXXXX")
  "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "$steps_script: step '$name' failed (exit $status); its output:" >&2
    sed 's/^/    /' "$log" >&2
    rm -f "$log"
    exit "$status"
  fi
  rm -f "$log"
}

# How many jobs: the presets leave it to CMake and CTest, which read CMAKE_BUILD_PARALLEL_LEVEL and
# CTEST_PARALLEL_LEVEL; unless the caller set them, every build and test run of these scripts uses as
# many as the machine has cores.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

# fresh_tree DIR: prints "--fresh" when DIR holds a build tree that another generator than Ninja, the
# presets' one, made (CMake cannot change a tree's generator in place): such a tree, from before the
# presets named a generator, is then configured afresh, once.
fresh_tree() {
  if [ -f "$1/CMakeCache.txt" ] && [ ! -f "$1/build.ninja" ]; then
    echo --fresh
  fi
}
