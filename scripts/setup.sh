#!/usr/bin/env bash
# The main job: installs what is needed, builds, installs the plug-in where
# hosts look, shows what a host sees of it and renders the built-in demo
# through each factory program.
#
# BRASTOKE_VST_DIR overrides the install folder (default: /usr/local/lib/vst
# as root, else ~/.vst). BRASTOKE_OUT sets where the renders go (default: out/).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

bash scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"

if [ -n "${BRASTOKE_VST_DIR:-}" ]; then
	vst_dir="$BRASTOKE_VST_DIR"
elif [ "$(id -u)" -eq 0 ]; then
	vst_dir=/usr/local/lib/vst
else
	vst_dir="$HOME/.vst"
fi
mkdir -p "$vst_dir"
install -m 0644 build/host/Brastoke.so "$vst_dir/Brastoke.so"
echo "Installed $vst_dir/Brastoke.so"
if [ "$vst_dir" != /usr/local/lib/vst ] && [ "$vst_dir" != /usr/lib/vst ]; then
	echo "Ardour does not scan $vst_dir by itself: add it to LXVST_PATH, e.g."
	echo "  export LXVST_PATH=\"$vst_dir\${LXVST_PATH:+:\$LXVST_PATH}\""
fi

plughost="$root/build/tools/plughost/plughost"
echo
"$plughost" info "$vst_dir/Brastoke.so"

out="${BRASTOKE_OUT:-$root/out}"
mkdir -p "$out"
echo
"$plughost" render "$vst_dir/Brastoke.so" "$out/demo-input.wav" --program-none 2>/dev/null \
	|| true
for p in 0 1 2 3 4 5 6 7; do
	name="$("$plughost" info "$vst_dir/Brastoke.so" --program-name "$p" 2>/dev/null || echo "program-$p")"
	file="$out/demo-$p-$(echo "$name" | tr 'A-Z ' 'a-z-' | tr -cd 'a-z0-9-').wav"
	"$plughost" render "$vst_dir/Brastoke.so" "$file" --program "$p"
	echo "wrote $file ($name)"
done
