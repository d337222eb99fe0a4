# Two commands do all set-up on a fresh Debian 12 or 13 machine:
#   make run    install what is missing, build, start the app on this desktop
#   make test   install what is missing, build, run every test
BUILD ?= build
JOBS  ?= $(shell nproc)
# This machine's Debian release, and the releases whose suites `make test` runs:
# on Debian 12 (CI's machine) its own and Debian 13's in a cached root, elsewhere
# its own. RELEASES=12, RELEASES=13 or RELEASES="13 12" choose.
HOST_RELEASE := $(shell . /etc/os-release 2>/dev/null && echo $$VERSION_ID)
RELEASES ?= $(if $(filter 12,$(HOST_RELEASE)),12 13,$(HOST_RELEASE))
# FUZZ_SECONDS set: each release's suite is followed by every fuzz target for that long.
FUZZ_SECONDS ?=
# What a user runs: the app, the widget extension and its host.
APP_TARGETS = PellixWidget PellixWidgetExtension PellixSystemExtension pellix-widget-host

.PHONY: deps build run package test test-$(HOST_RELEASE) asan bench bench-wayland fuzz clean

deps:
	@bash scripts/install-deps.sh all

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLIX_BUILD_TESTS=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

# Says what to do without a display before installing or building anything;
# then only the run-time and build packages and the app's own targets.
run:
	@bash scripts/run-app.sh --check $(BUILD)
	@bash scripts/install-deps.sh run
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLIX_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target $(APP_TARGETS) -- --no-print-directory
	@bash scripts/run-app.sh $(BUILD)

# The Debian packages, in $(BUILD): pellix-widget_<version>_<arch>.deb and the SDK's
# pellix-widget-dev_<version>_all.deb
package:
	@bash scripts/install-deps.sh package
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLIX_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target $(APP_TARGETS) -- --no-print-directory
	@cd $(BUILD) && cpack -G DEB

test:
	@bash scripts/test-releases.sh $(RELEASES)

# This machine's suite.
test-$(HOST_RELEASE): build
	@bash scripts/test-env.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(if $(FUZZ_SECONDS),@$(MAKE) --no-print-directory fuzz)

# Another release's suite: the same target run in that release's root
# (scripts/debian-root.sh), with its build and fuzz trees in build/debian-N*.
test-%:
	@bash scripts/debian-root.sh run $* bash scripts/install-deps.sh all
	@bash scripts/debian-root.sh run $* make --no-print-directory test-$* BUILD=build/debian-$* \
	  JOBS=$(JOBS) $(if $(FUZZ_SECONDS),FUZZ_SECONDS=$(FUZZ_SECONDS))

# Every test again on an AddressSanitizer + UBSan build; any finding fails its test.
# Not the package test: a package of sanitized binaries, run in a chroot without
# /proc, only tests the sanitizer.
asan: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build build-asan -j $(JOBS) -- --no-print-directory
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  bash scripts/test-env.sh ctest --test-dir build-asan --output-on-failure -j $(JOBS) -E 'system\.debian_package'

# Every hot-path benchmark, then the idle footprint against conky on X11 and on
# Wayland (headless sway; Debian 13's build, in its root on Debian 12): about
# five minutes each. FOOTPRINT=0 skips both footprints.
bench: build
	@bash bench/run.sh $(BUILD)
ifneq ($(FOOTPRINT),0)
ifeq ($(HOST_RELEASE),12)
	@if ! why=$$(bash scripts/debian-root.sh check 2>&1); then echo "bench: the Wayland footprint runs in Debian 13's root, which cannot run here: $${why#debian-root: }; skipped"; \
	else bash scripts/debian-root.sh run 13 bash scripts/install-deps.sh all && \
	  bash scripts/debian-root.sh run 13 make --no-print-directory bench-wayland BUILD=build/debian-13 JOBS=$(JOBS); fi
else
	@$(MAKE) --no-print-directory bench-wayland
endif
endif

bench-wayland: build
	@bash bench/footprint/wayland.sh --build $(BUILD)

# With the release's own clang (clang++ is Debian's default version).
fuzz: deps
	@cmake -S . -B $(BUILD)-fuzz -DPELLIX_FUZZ=ON -DPELLIX_BUILD_TESTS=OFF \
	  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) -- --no-print-directory
	@bash fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

# Never while a Debian root under the build folder has something mounted in it.
clean:
	@! grep -q " $(abspath $(BUILD))/" /proc/mounts || { echo "something is mounted under $(BUILD)" >&2; exit 1; }
	rm -rf --one-file-system $(BUILD) $(BUILD)-fuzz build-asan
