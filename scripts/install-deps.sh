#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (as root), and the
# German locale the locale tests use. Packages already present are skipped.
set -euo pipefail

packages=(
	build-essential cmake pkg-config ccache git
	clang libclang-rt-14-dev
	libgtest-dev libgmock-dev libbenchmark-dev
	libsndfile1-dev libsmf-dev
	libx11-dev libxfixes-dev libxext-dev libasound2-dev
	libcairo2-dev fonts-dejavu-core
	xvfb xauth locales
	lsp-plugins-vst dpf-plugins-vst
)

missing=()
for p in "${packages[@]}"; do
	if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
		missing+=("$p")
	fi
done

if [ "${#missing[@]}" -gt 0 ]; then
	if [ "$(id -u)" -ne 0 ]; then
		echo "Missing packages: ${missing[*]}" >&2
		echo "Run as root, or install them with: sudo apt-get install ${missing[*]}" >&2
		exit 1
	fi
	export DEBIAN_FRONTEND=noninteractive
	apt-get update -qq
	apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# de_DE.UTF-8 for the tests that check number texts under a German locale.
if [ "$(id -u)" -eq 0 ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
	sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
	grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
	locale-gen >/dev/null
fi
