#!/usr/bin/env bash
# The test command: installs what is needed, builds, and runs every test in a
# plain build, under AddressSanitizer + UndefinedBehaviorSanitizer, the
# threaded tests under ThreadSanitizer, each fuzzer for a bounded time, and the
# host tool's validator on the plug-in.
#
# BRASTOKE_FUZZ_SECONDS sets the time per fuzzer (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
jobs="$(nproc)"
fuzz_seconds="${BRASTOKE_FUZZ_SECONDS:-20}"
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=1

bash scripts/install-deps.sh

# Editor tests need an X server; run everything under one when we have none.
if [ -z "${DISPLAY:-}" ] && [ -z "${BRASTOKE_UNDER_XVFB:-}" ] && command -v xvfb-run >/dev/null; then
	export BRASTOKE_UNDER_XVFB=1
	exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

step() { printf '\n=== %s ===\n' "$*"; }

step "Plain build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs" --timeout 600)

step "AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBRASTOKE_SANITIZE=address,undefined -DBRASTOKE_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	ctest --output-on-failure -j"$jobs" --timeout 900)

step "ThreadSanitizer (threaded tests)"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRASTOKE_SANITIZE=thread -DBRASTOKE_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$jobs" --target brastoke_threaded_tests
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	ctest --output-on-failure -j"$jobs" --timeout 900 -L threads)

step "Fuzzers (${fuzz_seconds} s each)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRASTOKE_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs" --target brastoke_fuzzers
for fuzzer in $(find build-fuzz/fuzz -type f -name 'fuzz_*' -perm -u+x | sort); do
	name="$(basename "$fuzzer")"
	corpus="fuzz/${name#fuzz_}/corpus"
	work="build-fuzz/corpus-$name"
	mkdir -p "$work"
	echo "--- $name"
	"$fuzzer" -max_total_time="$fuzz_seconds" -print_final_stats=0 -timeout=10 "$work" "$corpus" 2>&1 | tail -n 3
done

step "plughost validate"
for other in /usr/lib/vst/lsp-plugins/para-equalizer-x16-stereo.so /usr/lib/vst/3BandEQ-vst.so; do
	if [ -e "$other" ]; then
		echo "--- $other (for information only)"
		build/tools/plughost/plughost validate "$other" --strictness 3 2>/dev/null \
			| grep -E '^(validating|ok|warn|FAIL|skip|[0-9]+ passed)' | sed 's/^/    /' || true
	fi
done
echo "--- Brastoke (must pass)"
build/tools/plughost/plughost validate build/host/Brastoke.so --strictness 10

step "All tests passed"
