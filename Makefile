# Entry points for a new machine: `make demo` and `make test`.
MAKEFLAGS += --no-print-directory
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEMO_OUT ?= $(BUILD_DIR)/demo

SECONDS ?= 60

# Windows cross builds, one folder per architecture under $(WINDOWS_BUILD); the 32-bit one only
# where the 32-bit Wine runs (read when the recipe runs, after bootstrap): nothing untested is built.
WINDOWS_BUILD ?= build-windows
WINDOWS_ARCHS ?= x86_64 $(shell /usr/lib/wine/wine --version >/dev/null 2>&1 && echo i686)

.PHONY: all bootstrap configure build cli test asan tsan fuzz demo examples check-render bench bench-build bench-profile windows \
	windows-bootstrap windows-deps test-windows format clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The library and the command alone, without the tests.
cli: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target kvo-export-excel

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer, in a build of its
# own; the Python tests run the instrumented command-line host. The first report fails the test.
asan: bootstrap
	@cmake -S . -B $(BUILD_DIR)-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKVO_SANITIZE=address,undefined > /dev/null
	@cmake --build $(BUILD_DIR)-asan -j $(JOBS)
	@cd $(BUILD_DIR)-asan && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The tests that run threads (the compressor's helper threads among them), under ThreadSanitizer.
TSAN_TESTS = Concurrency|Thread|DeflateStream
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
demo: cli
	@rm -rf $(DEMO_OUT) && mkdir -p $(DEMO_OUT)
	@cp examples/items-structure.xml $(DEMO_OUT)/
	@$(BUILD_DIR)/kvo-export-excel $(DEMO_OUT)/items-structure.xml examples/config.xml \
		@examples/setup/items-structure.xml .xlsx

# Exports every bundled example into $(BUILD_DIR)/examples/<setup name>/ and prints the paths.
examples: cli
	@KVO_CLI=$(BUILD_DIR)/kvo-export-excel OUT=$(BUILD_DIR)/examples scripts/export-examples

# Every bundled example as .xlsx and as .xls, converted to PDF by LibreOffice (installed when
# missing): a person's check that an office suite reads the workbooks; not part of `make test`.
check-render: cli
	@KVO_CLI=$(BUILD_DIR)/kvo-export-excel OUT=$(BUILD_DIR)/check-render scripts/check-render

# Generated item exports at 1,000 and 10,000 items against parsing alone and a direct
# libxlsxwriter write of the same sheet; the report also goes to bench/results.md.
bench: bench-build
	@$(BUILD_DIR)-bench/bench/kvo_bench --results bench/results.md

# Instruction profile of one 10,000-item export under callgrind (takes several minutes).
bench-profile: bench-build
	@bench/profile.sh $(BUILD_DIR)-bench/bench $(BUILD_DIR)-bench/profile

bench-build:
	@scripts/bootstrap --bench
	@cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DKVO_BUILD_BENCH=ON > /dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target kvo_bench kvo_gen_export kvo_bench_tests \
		kvo_deflate_timing
	@$(BUILD_DIR)-bench/bench/kvo_bench_tests --gtest_brief=1
	@bench/direct_write_check.py $(BUILD_DIR)-bench/bench/kvo_bench $(BUILD_DIR)-bench/bench/kvo_gen_export

# The static libraries for each Windows architecture (cached per source version), then the
# library, the command and the tests, cross-built with mingw-w64.
windows: windows-deps
	@for arch in $(WINDOWS_ARCHS); do \
		cmake -S . -B $(WINDOWS_BUILD)/$$arch -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
			-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-$$arch-w64-mingw32.cmake \
			-DKVO_WINDOWS_DEPS=$(abspath $(WINDOWS_BUILD))/deps/$$arch > /dev/null && \
		cmake --build $(WINDOWS_BUILD)/$$arch -j $(JOBS) || exit 1; \
	done
	@# The zip and the MSI of each architecture, in $(WINDOWS_BUILD); their paths are printed.
	@for arch in $(WINDOWS_ARCHS); do \
		scripts/package-windows $$arch $(WINDOWS_BUILD)/$$arch $(WINDOWS_BUILD) || exit 1; \
	done

# Its own target: make expands a recipe just before it runs, so the architectures of the
# recipes after it are read once the 32-bit Wine is installed.
windows-bootstrap:
	@scripts/bootstrap --windows

windows-deps: windows-bootstrap
	@case "$(WINDOWS_ARCHS)" in *i686*) ;; \
		*) echo "windows: no 32-bit Wine runs here (scripts/bootstrap --windows says why): the i686 build is left out";; esac
	@for arch in $(WINDOWS_ARCHS); do \
		JOBS=$(JOBS) scripts/build-windows-deps $$arch $(WINDOWS_BUILD)/deps/$$arch || exit 1; \
	done

# The Windows test suites under Wine, each in a fresh Wine prefix of its build folder.
# The Linux command is built first: the Windows one is compared with it.
test-windows: windows cli
	@for arch in $(WINDOWS_ARCHS); do \
		scripts/wine-env --fresh --prefix $(WINDOWS_BUILD)/$$arch/wine-prefix -- \
			ctest --test-dir $(WINDOWS_BUILD)/$$arch --output-on-failure -j $(JOBS) || exit 1; \
	done
	@case "$(WINDOWS_ARCHS)" in *x86_64*i686*) \
		echo "test-windows: the 64-bit and the 32-bit server registered side by side (regsvr32)"; \
		tests/windows/registration_side_by_side_check.sh $(WINDOWS_BUILD)/side-by-side-prefix \
			$(WINDOWS_BUILD)/x86_64/kvoexportexcel.dll $(WINDOWS_BUILD)/x86_64/kvo_env_run.exe \
			$(WINDOWS_BUILD)/i686/kvoexportexcel.dll $(WINDOWS_BUILD)/i686/kvo_env_run.exe;; esac
	@# Both MSIs installed side by side, where both architectures are built.
	@case "$(WINDOWS_ARCHS)" in *x86_64*i686*) tests/windows/packages_side_by_side_check.sh $(WINDOWS_BUILD) \
		$$(cat $(WINDOWS_BUILD)/x86_64/kvo-version.txt) $(WINDOWS_BUILD)/side-by-side-check;; esac

format:
	@find src include tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(BUILD_DIR)-asan $(BUILD_DIR)-tsan $(BUILD_DIR)-fuzz \
		$(WINDOWS_BUILD)/x86_64 $(WINDOWS_BUILD)/i686
