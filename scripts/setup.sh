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
plugin="$vst_dir/Brastoke.so"
echo
"$plughost" info "$plugin" | tee "$root/build/brastoke-info.txt"

out="${BRASTOKE_OUT:-$root/out}"
mkdir -p "$out"
echo
echo "Rendering the built-in demo through each factory program into $out:"
sed -n 's/^ *\([0-9]\+\) "\(.*\)"$/\1\t\2/p' "$root/build/brastoke-info.txt" | head -8 |
while IFS="$(printf '\t')" read -r index name; do
	slug="$(printf '%s' "$name" | tr 'A-Z' 'a-z' | tr -c 'a-z0-9' '-' | sed 's/--*/-/g; s/-$//')"
	file="$out/demo-$index-$slug.wav"
	"$plughost" render "$plugin" "$file" --program "$index" --tail 2 --quiet
	echo "  wrote $file  (program $index, \"$name\")"
done
