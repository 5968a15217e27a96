# What a person types. Every target installs what is missing first, so a fresh Debian 12
# machine needs nothing but `make test` or `make demo`.
PRESETS      := linux win32 win64
WIN_PRESETS  := win32 win64
CTEST_TIMEOUT := 300

.PHONY: all deps build test test-unit demo bench clean $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

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

test: test-unit

demo: deps build-linux build-win32
	@scripts/demo.sh

bench: deps build-linux
	build/linux/bench/chorus_bench

clean:
	rm -rf build dist out
