# Two commands do all set-up on a fresh Debian 12 machine:
#   make run    install what is missing, build, start the app on this desktop
#   make test   install what is missing, build, run every test
BUILD ?= build
JOBS  ?= $(shell nproc)
# What a user runs: the app, the widget extension and its host.
APP_TARGETS = PellixWidget PellixWidgetExtension pellix-widget-host

.PHONY: deps build run package test asan bench fuzz clean

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

# The Debian package, in $(BUILD): pellix-widget_<version>_<arch>.deb
package:
	@bash scripts/install-deps.sh package
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLIX_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target $(APP_TARGETS) -- --no-print-directory
	@cd $(BUILD) && cpack -G DEB

test: build
	@bash scripts/test-env.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

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

# Every hot-path benchmark, then the idle footprint against conky (about five minutes).
bench: build
	@bash bench/run.sh $(BUILD)

fuzz: deps
	@cmake -S . -B build-fuzz -DPELLIX_FUZZ=ON -DPELLIX_BUILD_TESTS=OFF \
	  -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j $(JOBS) -- --no-print-directory
	@bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-fuzz build-asan
