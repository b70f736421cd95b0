# Front door to the CMake build. `make test` installs what is missing, builds
# everything and runs every test; `make run` builds the Windows program and
# starts it under Wine; `make bench` measures the transforms and the peers.

BUILD      ?= build
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
# The Windows program, cross-built with MinGW-w64 and run under Wine.
WIN_BUILD      ?= build-win
WIN_CMAKE_ARGS ?=
SCREENSHOT     ?= docs/screenshot.png

.PHONY: all deps build win-build test run screenshot sanitize fuzz bench tables window-timings clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

$(WIN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake $(WIN_CMAKE_ARGS)

win-build: $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS)

# The native tests, then the window tests under Wine and Xvfb.
test: deps
	@$(MAKE) --no-print-directory build win-build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	HUOXING_WIN_BUILD=$(abspath $(WIN_BUILD)) scripts/wine-tests.sh $(WIN_BUILD)

# Needs a display; headless: xvfb-run make run
run: deps $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS) --target huoxing_window
	HUOXING_WIN_BUILD=$(abspath $(WIN_BUILD)) scripts/wine-exec.sh $(WIN_BUILD)/bin/huoxing.exe

# A PNG of the window, taken on an X server of its own.
screenshot: deps $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS) --target huoxing_window
	HUOXING_WIN_BUILD=$(abspath $(WIN_BUILD)) scripts/screenshot.sh $(WIN_BUILD)/bin/huoxing.exe $(SCREENSHOT)

# Every button of the window on 8 MiB, then how long each takes on 1 and
# 8 MiB of Chinese text under Wine, transforms apart (a measurement of about
# ten minutes). The texts come from Debian's Chinese man pages and poems.
window-timings: deps $(WIN_BUILD)/CMakeCache.txt
	@scripts/install-deps.sh peers
	cmake --build $(WIN_BUILD) -j $(JOBS) --target window_tests window_timings
	@test -f $(BUILD)/corpus/man.gbk || python3 bench/make_corpus.py $(BUILD)/corpus
	HUOXING_WIN_BUILD=$(abspath $(WIN_BUILD)) scripts/window-timings.sh $(WIN_BUILD) \
	    $(BUILD)/corpus/man.gbk $(BUILD)/corpus/dense.gbk

# The native tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@test -f build-sanitize/CMakeCache.txt || cmake -S . -B build-sanitize -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DHUOXING_SANITIZE=ON -DHUOXING_BENCH=OFF
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS)

# Throughput of every transform at 1 KiB, 1 MiB and 64 MiB, then the table
# of huoxing beside OpenCC, pinyin-pro and iconv (bench/peers/run.py) and the
# peak memory of the streaming commands. A few minutes; best on a quiet machine.
bench:
	@scripts/install-deps.sh base peers
	@$(MAKE) --no-print-directory build
	python3 bench/make_corpus.py $(BUILD)/corpus
	HUOXING_CORPUS=$(BUILD)/corpus $(BUILD)/bin/bench_transforms
	python3 bench/peers/run.py --build $(BUILD)

# Rewrite the generated tables from the Unihan data (package unicode-data).
tables:
	python3 tools/gentables.py

clean:
	rm -rf $(BUILD) $(WIN_BUILD) build-sanitize build-fuzz

# libFuzzer with ASan and UBSan: each harness for FUZZ_SECONDS, starting from
# the committed seeds; what it learns stays in build-fuzz/corpus.
FUZZ_SECONDS ?= 60
FUZZERS = fuzz_martian fuzz_script fuzz_pinyin fuzz_utf8 fuzz_arguments

fuzz:
	@scripts/install-deps.sh base fuzz
	@test -f build-fuzz/CMakeCache.txt || cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++ -DHUOXING_FUZZ=ON -DHUOXING_TESTS=OFF -DHUOXING_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS) --target $(FUZZERS)
	@for f in $(FUZZERS); do \
	    mkdir -p build-fuzz/corpus/$$f && \
	    build-fuzz/bin/$$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        build-fuzz/corpus/$$f fuzz/seeds/$$f 2>build-fuzz/$$f.log || { tail -40 build-fuzz/$$f.log; exit 1; }; \
	    echo "$$f: $$(grep -o 'number_of_executed_units: [0-9]*' build-fuzz/$$f.log | grep -o '[0-9]*') runs in $(FUZZ_SECONDS) s"; \
	done
