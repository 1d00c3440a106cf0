# Thin front over CMake. `make run`, `make test` and `make package` first
# install whatever Debian packages are missing (scripts/install-deps.sh), then
# build. `make package` builds a Release without tests or benchmarks in its own
# folder and leaves the Debian package there (build-package/tesslor_*.deb).
BUILD_DIR ?= build
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo
PACKAGE_DIR ?= build-package

WINDOWS_DIR ?= build-windows

.PHONY: all deps configure build test run bench package windows windows-test clean

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
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/bench/tesslor-bench-editor
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/bench/tesslor-bench-import

package: deps
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DTESSLOR_BUILD_TESTS=OFF -DTESSLOR_BUILD_BENCH=OFF -DTESSLOR_FUZZ=OFF -DTESSLOR_SANITIZE=
	cmake --build $(PACKAGE_DIR) -j$(JOBS)
	rm -f $(PACKAGE_DIR)/tesslor_*.deb
	cd $(PACKAGE_DIR) && cpack -G DEB
	@ls $(PACKAGE_DIR)/tesslor_*.deb

# Windows: the editor, tesslor-cli and their tests cross-built with MinGW-w64
# against Qt built once per machine from Debian's source (kept in
# ~/.cache/tesslor), and build-windows/tesslor-windows.zip; windows-test also
# runs every test program under Wine.
windows:
	@bash scripts/install-deps.sh windows
	JOBS=$(JOBS) bash scripts/build-windows.sh $(WINDOWS_DIR)

windows-test:
	@bash scripts/install-deps.sh windows
	JOBS=$(JOBS) bash scripts/build-windows.sh $(WINDOWS_DIR) --test

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR) $(WINDOWS_DIR)
