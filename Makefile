# Entry points for a new machine: `make demo` and `make test`.
MAKEFLAGS += --no-print-directory
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEMO_OUT ?= $(BUILD_DIR)/demo

SECONDS ?= 60

.PHONY: all bootstrap configure build test asan tsan fuzz demo bench format clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer, in a build of its
# own; the Python tests run the instrumented command-line host. The first report fails the test.
asan: bootstrap
	@cmake -S . -B $(BUILD_DIR)-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKVO_SANITIZE=address,undefined > /dev/null
	@cmake --build $(BUILD_DIR)-asan -j $(JOBS)
	@cd $(BUILD_DIR)-asan && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The tests that run threads, under ThreadSanitizer.
TSAN_TESTS = Concurrency|Thread
tsan: bootstrap
	@cmake -S . -B $(BUILD_DIR)-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVO_SANITIZE=thread > /dev/null
	@cmake --build $(BUILD_DIR)-tsan -j $(JOBS) --target kvo_tests
	@cd $(BUILD_DIR)-tsan && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
		ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

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
	@find src include tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(BUILD_DIR)-asan $(BUILD_DIR)-tsan $(BUILD_DIR)-fuzz
