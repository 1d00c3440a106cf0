# Thin front over CMake. `make run` and `make test` first install whatever
# Debian packages are missing (scripts/install-deps.sh), then build.
BUILD_DIR ?= build
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

test: build
	cd $(BUILD_DIR) && ctest -j$(JOBS) --output-on-failure

run: build
	./scripts/run-editor.sh $(BUILD_DIR)

bench: build
	./$(BUILD_DIR)/bench/tesslor-bench

clean:
	rm -rf $(BUILD_DIR)
