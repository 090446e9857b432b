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

# The libFuzzer targets (clang), each run for FUZZ_SECONDS one after another from its seeds
# (tests/fuzz/corpus/NAME and regress/NAME, copied into $(FUZZ_BUILD)/corpus/NAME, where what
# a run finds accumulates) with its dictionary where there is one. A crash, a leak or an input
# running past FUZZ_TIMEOUT seconds stops it and fails, leaving the input in
# $(FUZZ_BUILD)/crash-*, leak-* or timeout-*. fuzz_filter bounds each input's work, and the
# sanitizers make the rest slow, so a second is a wide bound.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TIMEOUT ?= 10
FUZZ_TARGETS ?= filter dump resources svg
# Per target: the longest input (the record is 632 bytes and a script follows it; dumps and
# modules are larger) and any other option. The entropic schedule's bookkeeping costs fuzz_filter
# more than its runs do (its inputs reach thousands of features each), so it uses the plain one.
FUZZ_OPTIONS_filter = -max_len=700 -entropic=0
FUZZ_OPTIONS_dump = -max_len=32768
FUZZ_OPTIONS_resources = -max_len=20000
FUZZ_OPTIONS_svg = -max_len=8192
rparen := )
fuzz: | setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANTA_FUZZ=ON -DCORVANTA_BENCH=OFF -DCORVANTA_WIN32=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) $(FUZZ_TARGETS:%=--target fuzz_%)
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  cp tests/fuzz/corpus/$$t/* $(FUZZ_BUILD)/corpus/$$t/; \
	  if [ -d tests/fuzz/regress/$$t ]; then cp tests/fuzz/regress/$$t/* $(FUZZ_BUILD)/corpus/$$t/; fi; \
	  case $$t in $(foreach x,$(FUZZ_TARGETS),$(x)$(rparen) opts='$(FUZZ_OPTIONS_$(x))';;) esac; \
	  dict=; if [ -f tests/fuzz/$$t.dict ]; then dict=-dict=$(CURDIR)/tests/fuzz/$$t.dict; fi; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  (cd $(FUZZ_BUILD) && ./tests/fuzz/fuzz_$$t corpus/$$t $$dict $$opts \
	    -max_total_time=$(FUZZ_SECONDS) -timeout=$(FUZZ_TIMEOUT) -rss_limit_mb=4096 -print_final_stats=1); \
	done

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
