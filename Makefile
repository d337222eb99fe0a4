# Two commands do all set-up on a fresh Debian 12 machine:
#   make run    install what is missing, build, start the app on this desktop
#   make test   install what is missing, build, run every test
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: deps build run test bench fuzz clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

run: build
	@bash scripts/run-app.sh $(BUILD)/src/app/pellix-widget

test: build
	@bash scripts/test-env.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: build
	@bash bench/run.sh $(BUILD)

fuzz: deps
	@cmake -S . -B build-fuzz -DPELLIX_FUZZ=ON -DPELLIX_BUILD_TESTS=OFF \
	  -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j $(JOBS) -- --no-print-directory
	@bash fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-fuzz
