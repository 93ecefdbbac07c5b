# Front door of the build. `make test` and `make run` install what is
# missing, build, and test or run.

BUILD ?= build
JOBS ?= $(shell nproc)
SANITIZE ?= 0
CMAKE_FLAGS ?=
BENCH_PIECES ?= ../shared/bench-pieces

ifeq ($(SANITIZE),1)
  BUILD := build-sanitize
  CMAKE_FLAGS += -DTONESMITH_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
endif

FUZZ_TARGETS = fuzz_page_file fuzz_command_line fuzz_page_drawing fuzz_drawing_file fuzz_metric_file fuzz_font_program fuzz_eps_picture fuzz_justification fuzz_input_line fuzz_midi_file fuzz_midi_list fuzz_musicxml fuzz_midi_keyboard fuzz_transposition fuzz_bar_list

.PHONY: setup build test run bench bench-peers stress fuzz clean

setup:
	@bash scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure --timeout 300 -j$(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

bench: setup
	@cmake -S . -B build-bench -DTONESMITH_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j$(JOBS) --target benchmarks pdf_benchmark justification_benchmark typed_input_benchmark tsm glyph_data
	@./build-bench/bin/benchmarks
	@./build-bench/bin/justification_benchmark
	@./build-bench/bin/typed_input_benchmark
	@./build-bench/bin/pdf_benchmark
	@bash bench/export_time.sh build-bench/bin/tsm
	@for piece in $(BENCH_PIECES)/*.musicxml; do bash bench/piece_times.sh build-bench/bin/tsm $$piece > /dev/null; done
	@$(MAKE) --no-print-directory stress

# The bench pieces through LilyPond, MuseScore 3 (both installed when
# missing) and us, side by side: PDF and MIDI times and their ratios.
bench-peers: setup
	@cmake -S . -B build-bench -DTONESMITH_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j$(JOBS) --target tsm glyph_data font_metrics
	@bash bench/peers.sh build-bench/bin/tsm $(BENCH_PIECES)

# 100,000 seeded hostile lines through tsm exec (also part of make bench).
stress: setup
	@cmake -S . -B build-bench -DTONESMITH_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j$(JOBS) --target tsm random_lines glyph_data
	@bash bench/stress_exec.sh build-bench/bin/tsm build-bench/bin/random_lines

fuzz: setup
	@CXX=clang++-14 cmake -S . -B build-fuzz -DTONESMITH_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target $(FUZZ_TARGETS) glyph_data font_metrics
	@echo "Fuzz targets: $(patsubst %,build-fuzz/bin/%,$(FUZZ_TARGETS)); seeds in fuzz/corpus/<target without fuzz_>"

clean:
	rm -rf build build-sanitize build-bench build-fuzz
