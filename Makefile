# Two entry points for a fresh Debian machine: `make play` and `make test`,
# `make deb` for the Debian package and `make windows` for the Windows one.
# Each installs what is missing first; everything builds under build/.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build play test deb windows clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

play: build
	@bash scripts/play.sh $(BUILD_DIR)

test: build windows
	bash scripts/with-display.sh ctest --test-dir $(BUILD_DIR) --output-on-failure
	JOBS=$(JOBS) bash scripts/sanitize.sh $(BUILD_DIR)/asan

# The Debian package, build/talmorak-arena_<version>_<arch>.deb.
deb: build
	cd $(BUILD_DIR) && cpack -G DEB

# The Windows package, build/talmorak-arena-<version>-win64.zip, cross-built
# with the libraries it needs; those are built once and kept in build/windows.
windows: build
	JOBS=$(JOBS) bash scripts/windows/build.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
