#!/usr/bin/env bash
# render-gltf-picture.sh [OUT.png] - the README's 3D picture of the wizard's default scene
# (docs/gltf-example.png unless OUT.png is given). Run by hand; the test command does not run it.
#   1. builds build/skipfloor-wizard and build/cwstool (the presets "native" of CMakePresets.json);
#   2. runs the wizard with its defaults (OK at once) in a temporary folder, so the scene is the
#      wizard's own, and exports it with `cwstool export --levels` to glTF, its storeys drawn;
#   3. renders the glTF off-screen with f3d under Xvfb;
#   4. encodes the colours as sRGB: f3d 1.3 (VTK 9.1) writes its linear frame buffer as it is, which
#      shows every material darker than its colour (the site's 0, 128, 0 as 19, 58, 19).
# Installs f3d, Xvfb and ImageMagick first when they are missing (install-deps.sh render, as root).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/gltf-example.png}

"$root/scripts/install-deps.sh" render
(cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target skipfloor-wizard cwstool >/dev/null)

work=$(mktemp -d "${TMPDIR:-/tmp}/gltf-picture.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config"
(cd "$work" && printf 'ok\n' | HOME=$work XDG_CONFIG_HOME=$work/config "$root/build/skipfloor-wizard" zendel.cws >wizard.log 2>&1) || { cat "$work/wizard.log" >&2; exit 1; }
"$root/build/cwstool" export --levels "$work/zendel.cws" "$work/zendel.glb"

# A view from the front right and above, so that the two blocks stand side by side as in the section
# preview (mezzanines left, main floors right); grid and anti-aliasing on, a light grey background.
xvfb-run -a -s "-screen 0 1280x1024x24" \
  f3d "$work/zendel.glb" --output "$work/linear.png" --resolution 900,560 \
      --camera-azimuth-angle 60 --camera-elevation-angle 20 --grid --fxaa --bg-color 0.8,0.82,0.85
convert "$work/linear.png" -set colorspace RGB -colorspace sRGB -strip "$out"
echo "wrote $out"
