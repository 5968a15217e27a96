# What a person types. Every target installs what is missing first, so a fresh Debian 12
# machine needs nothing but `make test` or `make demo`.
PRESETS      := linux win32 win64
WIN_PRESETS  := win32 win64
# clang sanitizer builds of the native code; linux-fuzz builds only the host-session fuzzer.
SANITIZER_PRESETS := linux-asan linux-tsan linux-fuzz
# `make fuzz` runs this long (seconds) and adds what it learns to fuzz/corpus.
FUZZ_SECONDS ?= 1800
FUZZER       := build/linux-fuzz/fuzz/plugin_session_fuzzer
FUZZ_RUN     := build/linux-fuzz/run
# Sanitizer reports stop the fuzzer at the first fault, as the presets make them stop ctest.
FUZZ_ENV     := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
CTEST_TIMEOUT := 300
VERSION      := $(shell scripts/product-version.sh)
PACKAGE      := StereoChorus-$(VERSION)

# `make install` puts the Linux plug-in here; `make install PREFIX=dir` or `VST_DIR=dir` elsewhere.
PREFIX       ?= $(HOME)/.vst
VST_DIR      ?= $(PREFIX)
# ... and the LV2 bundle here (`make install LV2_DIR=dir` for another folder on the host's LV2 path).
LV2_DIR      ?= $(HOME)/.lv2
LV2_BUNDLE   := StereoChorus.lv2
# ... and the Linux CLAP plug-in into ~/.clap, or beside it when PREFIX is given (`CLAP_DIR=dir` to choose).
CLAP_DIR     ?= $(if $(filter $(HOME)/.vst,$(PREFIX)),$(HOME)/.clap,$(PREFIX))
# ... and the Linux VST 3 bundle here (`make install VST3_DIR=dir` elsewhere).
VST3_DIR     ?= $(HOME)/.vst3
VST3_BUNDLE  := StereoChorus.vst3
# `make web` serves the page here (`make web WEB_PORT=n` for another port, 0 for any free one).
WEB_PORT     ?= 8425

.PHONY: all deps build test test-unit test-hosts test-packages test-asan test-tsan test-fuzz fuzz demo bench web install \
        uninstall dist clean $(addprefix build-,$(PRESETS) $(SANITIZER_PRESETS)) $(addprefix test-,$(PRESETS))

all: build

deps:
	@scripts/install-deps.sh

build: deps $(addprefix build-,$(PRESETS))

$(addprefix build-,$(PRESETS) $(SANITIZER_PRESETS)): build-%:
	@cmake --preset $* >/dev/null
	@cmake --build --preset $*

# Wine's helper processes keep ctest's pipes open unless a persistent wineserver owns the prefix.
test-linux: build-linux
	ctest --preset linux --timeout $(CTEST_TIMEOUT)

$(addprefix test-,$(WIN_PRESETS)): test-%: build-%
	@scripts/wine-start.sh build/$*/wineprefix
	ctest --preset $* --timeout $(CTEST_TIMEOUT)

test-unit: deps $(addprefix test-,$(PRESETS))

# Ardour 7 (Linux VST 2 build, VST 3 and LV2 bundles), LMMS under Wine (32-bit Windows build) and
# Qtractor's scanner (Linux CLAP build), headless.
test-hosts: deps build-linux build-win32
	@tests/hosts/run.sh

# Every native unit test under AddressSanitizer + UndefinedBehaviorSanitizer (LeakSanitizer on),
# and under ThreadSanitizer; the sanitizer options are in the test presets.
test-asan: deps build-linux-asan
	ctest --preset linux-asan --timeout $(CTEST_TIMEOUT)

test-tsan: deps build-linux-tsan
	ctest --preset linux-tsan --timeout $(CTEST_TIMEOUT)

# Replays every input that once found a fault, then fuzzes for 60 seconds from a copy of the
# saved corpus, so CI never changes fuzz/corpus. A fault leaves its input in $(FUZZ_RUN)/.
test-fuzz: deps build-linux-fuzz
	rm -rf $(FUZZ_RUN) && mkdir -p $(FUZZ_RUN)/corpus $(FUZZ_RUN)/faults
	cp fuzz/corpus/* $(FUZZ_RUN)/corpus/
	$(FUZZ_ENV) $(FUZZER) -runs=0 fuzz/regressions
	$(FUZZ_ENV) $(FUZZER) -max_total_time=60 -print_final_stats=1 -artifact_prefix=$(FUZZ_RUN)/faults/ \
	    $(FUZZ_RUN)/corpus

# A long run ($(FUZZ_SECONDS) s); inputs that reach new code are merged into fuzz/corpus.
fuzz: deps build-linux-fuzz
	rm -rf $(FUZZ_RUN) && mkdir -p $(FUZZ_RUN)/corpus $(FUZZ_RUN)/faults
	$(FUZZ_ENV) $(FUZZER) -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=$(FUZZ_RUN)/faults/ \
	    $(FUZZ_RUN)/corpus fuzz/corpus
	$(FUZZ_ENV) $(FUZZER) -merge=1 fuzz/corpus $(FUZZ_RUN)/corpus

# The installer under Wine in a fresh prefix, and the Debian package installed, scanned, rendered
# through and purged (packaging/tests/).
test-packages: dist
	@packaging/tests/windows-installer.sh
	@packaging/tests/debian-package.sh

test: test-unit test-hosts test-packages test-asan test-tsan test-fuzz

demo: deps build-linux build-win32
	@scripts/demo.sh

# The chorus on a web page: builds dist/web/ and serves it on 127.0.0.1 until Ctrl+C; any static
# web server will do as well.
web: deps
	@cmake --preset linux >/dev/null
	@cmake --build --preset linux --target web
	@node web/serve.mjs dist/web $(WEB_PORT)

# The micro-bench of the chorus alone, then our plug-in against the LADSPA choruses Debian ships.
# `make bench BENCH_ARGS="--seconds 5"` for a quick peer run.
BENCH_ARGS ?=
bench: deps build-linux
	build/linux/bench/chorus_bench
	build/linux/bench/chorus_peer_bench $(BENCH_ARGS)

# The LV2 and VST 3 bundles are installed whole, replacing older ones.
install: build-linux
	install -d "$(VST_DIR)"
	install -m 755 dist/linux/StereoChorus.so "$(VST_DIR)/StereoChorus.so"
	rm -rf "$(LV2_DIR)/$(LV2_BUNDLE)"
	install -d "$(LV2_DIR)/$(LV2_BUNDLE)"
	install -m 644 dist/linux/$(LV2_BUNDLE)/*.ttl "$(LV2_DIR)/$(LV2_BUNDLE)/"
	install -m 755 dist/linux/$(LV2_BUNDLE)/StereoChorus.so dist/linux/$(LV2_BUNDLE)/StereoChorusUI.so "$(LV2_DIR)/$(LV2_BUNDLE)/"
	install -d "$(CLAP_DIR)"
	install -m 755 dist/linux/StereoChorus.clap "$(CLAP_DIR)/StereoChorus.clap"
	rm -rf "$(VST3_DIR)/$(VST3_BUNDLE)"
	install -D -m 755 dist/linux/$(VST3_BUNDLE)/Contents/x86_64-linux/StereoChorus.so \
	    "$(VST3_DIR)/$(VST3_BUNDLE)/Contents/x86_64-linux/StereoChorus.so"

uninstall:
	rm -f "$(VST_DIR)/StereoChorus.so"
	rm -rf "$(LV2_DIR)/$(LV2_BUNDLE)"
	rm -f "$(CLAP_DIR)/StereoChorus.clap"
	rm -rf "$(VST3_DIR)/$(VST3_BUNDLE)"

# dist/StereoChorus-<version>-setup.exe, the Windows installer (packaging/windows/);
# dist/stereo-chorus_<version>_amd64.deb, the Debian package (packaging/debian/); and
# dist/StereoChorus-<version>.zip: both Windows DLLs, the Linux plug-in, the three VST 3 bundles, the LV2
# bundle, the three CLAP plug-ins, README, licence, install note.
dist: deps $(addprefix build-,$(PRESETS))
	@packaging/windows/build-installer.sh
	@packaging/debian/build-deb.sh
	@test -f README.md || { echo "make dist: README.md is missing"; exit 1; }
	rm -rf build/package dist/$(PACKAGE).zip
	install -d build/package/$(PACKAGE)/windows-64bit build/package/$(PACKAGE)/windows-32bit \
	           build/package/$(PACKAGE)/linux-x86_64
	install -m 644 dist/win64/StereoChorus.dll build/package/$(PACKAGE)/windows-64bit/
	install -m 644 dist/win32/StereoChorus.dll build/package/$(PACKAGE)/windows-32bit/
	install -m 755 dist/linux/StereoChorus.so build/package/$(PACKAGE)/linux-x86_64/
	install -d build/package/$(PACKAGE)/linux-x86_64/$(LV2_BUNDLE)
	install -m 644 dist/linux/$(LV2_BUNDLE)/*.ttl build/package/$(PACKAGE)/linux-x86_64/$(LV2_BUNDLE)/
	install -m 755 dist/linux/$(LV2_BUNDLE)/StereoChorus.so dist/linux/$(LV2_BUNDLE)/StereoChorusUI.so \
	           build/package/$(PACKAGE)/linux-x86_64/$(LV2_BUNDLE)/
	install -m 644 dist/win64/StereoChorus.clap build/package/$(PACKAGE)/windows-64bit/
	install -m 644 dist/win32/StereoChorus.clap build/package/$(PACKAGE)/windows-32bit/
	install -m 755 dist/linux/StereoChorus.clap build/package/$(PACKAGE)/linux-x86_64/
	cp -r dist/win64/$(VST3_BUNDLE) build/package/$(PACKAGE)/windows-64bit/
	cp -r dist/win32/$(VST3_BUNDLE) build/package/$(PACKAGE)/windows-32bit/
	cp -r dist/linux/$(VST3_BUNDLE) build/package/$(PACKAGE)/linux-x86_64/
	install -m 644 README.md packaging/LICENSE.txt packaging/INSTALL.txt build/package/$(PACKAGE)/
	install -D -m 644 docs/editor.png build/package/$(PACKAGE)/docs/editor.png
	cd build/package && zip -qrX ../../dist/$(PACKAGE).zip $(PACKAGE)
	@echo "dist/$(PACKAGE).zip"

clean:
	rm -rf build dist out
