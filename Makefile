# Front door of the build. `make test` and `make run` install what is
# missing, build, and test or run.

BUILD ?= build
JOBS ?= $(shell nproc)
SANITIZE ?= 0
CMAKE_FLAGS ?=

ifeq ($(SANITIZE),1)
  BUILD := build-sanitize
  CMAKE_FLAGS += -DTONESMITH_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
endif

.PHONY: setup build test run bench fuzz clean

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
	@cmake --build build-bench -j$(JOBS) --target benchmarks
	@./build-bench/bin/benchmarks

fuzz: setup
	@CXX=clang++-14 cmake -S . -B build-fuzz -DTONESMITH_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target fuzz_page_file fuzz_command_line
	@echo "Fuzz targets: build-fuzz/bin/fuzz_page_file, build-fuzz/bin/fuzz_command_line"

clean:
	rm -rf build build-sanitize build-bench build-fuzz
