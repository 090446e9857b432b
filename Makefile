# Front door over CMake. `make run` sets up, builds and draws stars.svg; `make test` sets up,
# builds and runs every test.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
CMAKE_FLAGS ?= -DCORVANTA_WERROR=ON

.PHONY: all setup build run win32-run test sanitize-test fuzz bench gallery clean

all: build

setup:
	@scripts/setup.sh

$(BUILD)/build.ninja: | setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/easel -o stars.svg

# The main job with the Windows build: easel.exe and the Windows module under wine.
win32-run: build
	scripts/wine-easel.sh $(BUILD) --plugin $(BUILD)/win32/QM07_Corvanta.aip -o stars.svg

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize-test: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANTA_SANITIZE=ON -DCORVANTA_BENCH=OFF -DCORVANTA_WIN32=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The libFuzzer target (clang), run for FUZZ_SECONDS; a crash, or an input running past 300 s,
# fails and leaves its input in $(FUZZ_BUILD)/crash-* or timeout-*. The bound is wide because
# each input runs the whole dialog and filter under the sanitizers: some take minutes
# (tests/fuzz/slow/ keeps one), which is slowness for a faster harness to remove, not a hang.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: | setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANTA_FUZZ=ON -DCORVANTA_BENCH=OFF -DCORVANTA_WIN32=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_filter
	mkdir -p $(FUZZ_BUILD)/corpus && cp tests/fuzz/corpus/* $(FUZZ_BUILD)/corpus/
	cd $(FUZZ_BUILD) && ./tests/fuzz/fuzz_filter corpus -max_len=700 -max_total_time=$(FUZZ_SECONDS) -timeout=300 -rss_limit_mb=4096 -print_final_stats=1

# Every benchmark program the build made, one after another; the first failure stops.
bench: build
	@set -e; found=0; for b in $(BUILD)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then found=1; echo "== $$b"; "$$b"; fi; \
	done; [ $$found = 1 ] || { echo "no benchmark programs in $(BUILD)/bench" >&2; exit 1; }

# The 30 presets, one seed each, drawn by the module into one picture: $(BUILD)/gallery.png.
gallery: build
	scripts/gallery.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
