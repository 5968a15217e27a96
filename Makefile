# What a person types. Every target installs what is missing first, so a fresh Debian 12
# machine needs nothing but `make test` or `make demo`.
PRESETS      := linux win32 win64
WIN_PRESETS  := win32 win64
CTEST_TIMEOUT := 300
VERSION      := $(shell sed -n "s/^project.StereoChorus VERSION \([0-9.]*\).*/\1/p" CMakeLists.txt)
PACKAGE      := StereoChorus-$(VERSION)

# `make install` puts the Linux plug-in here; `make install PREFIX=dir` or `VST_DIR=dir` elsewhere.
PREFIX       ?= $(HOME)/.vst
VST_DIR      ?= $(PREFIX)

.PHONY: all deps build test test-unit test-hosts demo bench install uninstall dist clean \
        $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build

deps:
	@scripts/install-deps.sh

build: deps $(addprefix build-,$(PRESETS))

$(addprefix build-,$(PRESETS)): build-%:
	@cmake --preset $* >/dev/null
	@cmake --build --preset $*

# Wine's helper processes keep ctest's pipes open unless a persistent wineserver owns the prefix.
test-linux: build-linux
	ctest --preset linux --timeout $(CTEST_TIMEOUT)

$(addprefix test-,$(WIN_PRESETS)): test-%: build-%
	@scripts/wine-start.sh build/$*/wineprefix
	ctest --preset $* --timeout $(CTEST_TIMEOUT)

test-unit: deps $(addprefix test-,$(PRESETS))

# Ardour 7 (Linux build) and LMMS under Wine (32-bit Windows build), headless.
test-hosts: deps build-linux build-win32
	@tests/hosts/run.sh

test: test-unit test-hosts

demo: deps build-linux build-win32
	@scripts/demo.sh

# The micro-bench of the chorus alone, then our plug-in against the LADSPA choruses Debian ships.
# `make bench BENCH_ARGS="--seconds 5"` for a quick peer run.
BENCH_ARGS ?=
bench: deps build-linux
	build/linux/bench/chorus_bench
	build/linux/bench/chorus_peer_bench $(BENCH_ARGS)

install: build-linux
	install -d "$(VST_DIR)"
	install -m 755 dist/linux/StereoChorus.so "$(VST_DIR)/StereoChorus.so"

uninstall:
	rm -f "$(VST_DIR)/StereoChorus.so"

# dist/StereoChorus-<version>.zip: both Windows DLLs, the Linux plug-in, README, licence, install note.
dist: deps $(addprefix build-,$(PRESETS))
	@test -f README.md || { echo "make dist: README.md is missing"; exit 1; }
	rm -rf build/package dist/$(PACKAGE).zip
	install -d build/package/$(PACKAGE)/windows-64bit build/package/$(PACKAGE)/windows-32bit \
	           build/package/$(PACKAGE)/linux-x86_64
	install -m 644 dist/win64/StereoChorus.dll build/package/$(PACKAGE)/windows-64bit/
	install -m 644 dist/win32/StereoChorus.dll build/package/$(PACKAGE)/windows-32bit/
	install -m 755 dist/linux/StereoChorus.so build/package/$(PACKAGE)/linux-x86_64/
	install -m 644 README.md packaging/LICENSE.txt packaging/INSTALL.txt build/package/$(PACKAGE)/
	install -D -m 644 docs/editor.png build/package/$(PACKAGE)/docs/editor.png
	cd build/package && zip -qrX ../../dist/$(PACKAGE).zip $(PACKAGE)
	@echo "dist/$(PACKAGE).zip"

clean:
	rm -rf build dist out
