# Front door to the CMake build. `make test` installs what is missing, builds
# everything and runs every test; `make run` builds and starts the tool.

BUILD      ?= build
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build test run sanitize tables clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: deps
	@$(MAKE) --no-print-directory build
	$(BUILD)/bin/huoxing --help

# The native tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@test -f build-sanitize/CMakeCache.txt || cmake -S . -B build-sanitize -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DHUOXING_SANITIZE=ON -DHUOXING_BENCH=OFF
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS)

# Rewrite the generated tables from the Unihan data (package unicode-data).
tables:
	python3 tools/gentables.py

clean:
	rm -rf $(BUILD) build-sanitize
