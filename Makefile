# Two entry points for a fresh Debian machine: `make play` and `make test`,
# and `make deb` for the Debian package. Each installs what is missing first;
# everything builds under build/.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build play test deb clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

play: build
	@bash scripts/play.sh $(BUILD_DIR)

test: build
	bash scripts/with-display.sh ctest --test-dir $(BUILD_DIR) --output-on-failure
	JOBS=$(JOBS) bash scripts/sanitize.sh $(BUILD_DIR)/asan

# The Debian package, build/talmorak-arena_<version>_<arch>.deb.
deb: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)
