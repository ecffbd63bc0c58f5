# Entry points for a new machine: `make demo` and `make test`.
MAKEFLAGS += --no-print-directory
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEMO_OUT ?= $(BUILD_DIR)/demo

SECONDS ?= 60

.PHONY: all bootstrap configure build test fuzz demo bench format clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Every fuzz target for SECONDS seconds, one after another; see fuzz/README.md.
fuzz:
	@scripts/bootstrap --fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD_DIR)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKVO_FUZZ=ON > /dev/null
	@cmake --build $(BUILD_DIR)-fuzz -j $(JOBS)
	@scripts/fuzz $(BUILD_DIR)-fuzz $(SECONDS)

# Exports the bundled item structure and prints the workbook's path.
demo: build
	@rm -rf $(DEMO_OUT) && mkdir -p $(DEMO_OUT)
	@cp examples/items-structure.xml $(DEMO_OUT)/
	@$(BUILD_DIR)/kvo-export-excel $(DEMO_OUT)/items-structure.xml examples/config.xml \
		@examples/setup/items-structure.xml .xlsx

bench:
	@scripts/bootstrap --bench
	@cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DKVO_BUILD_BENCH=ON > /dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target kvo_bench kvo_phase
	@$(BUILD_DIR)-bench/bench/kvo_bench
	@bench/instructions.sh $(BUILD_DIR)-bench/bench/kvo_phase

format:
	@find src include tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(BUILD_DIR)-fuzz
