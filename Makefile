# Everything starts here: each target installs what is missing, then builds in build/.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build test run bench fuzz screenshots package clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@$(BUILD_DIR)/tallymo

bench: build
	@$(BUILD_DIR)/tallymo_bench

fuzz:
	@scripts/install-deps --tools
	@scripts/fuzz $${FUZZ_SECONDS:-30}

# The Debian package (CPack) in $(BUILD_DIR); scripts/package-test installs and tries it.
package: build
	@cmake --build $(BUILD_DIR) --target package

screenshots: build
	@scripts/install-deps --tools
	@scripts/screenshots

clean:
	rm -rf $(BUILD_DIR)
