# Set-up, build, run and test in one word each. Everything builds in build/.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
TSAN_BUILD ?= build-tsan
JOBS ?= 2
TYPE ?= RelWithDebInfo
EXAMPLE ?= examples/counter.vdo

.PHONY: all deps build run test gui bench sanitize tsan fuzz clean package

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(TYPE) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# Runs the bundled example through the batch runner and prints the output report.
run: build
	./$(BUILD)/asmsim-cli --out $(BUILD)/OutFileSimulation.txt --process $(BUILD)/process.txt $(EXAMPLE)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

gui: build
	./$(BUILD)/asmsim

bench: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/panes_bench
	./$(BUILD)/reader_bench
	./$(BUILD)/evaluator_bench
	./$(BUILD)/simulation_bench
	./$(BUILD)/multi_bench
	./$(BUILD)/check_bench
	./$(BUILD)/chart_bench
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/chartview_bench
	bash bench/verilog_compare.sh $(BUILD)/asmsim-cli

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DASMSIM_SANITIZE=ON > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j$(JOBS)

# The concurrency tests built with ThreadSanitizer: runs going on at once in threads, each
# with its own state object, must share nothing; chart layouts share Graphviz only behind
# its lock. Any report fails the target.
tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DASMSIM_TSAN=ON > /dev/null
	@cmake --build $(TSAN_BUILD) -j$(JOBS) --target tst_concurrency tst_chart_concurrency
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan-suppressions.txt $(TSAN_OPTIONS)" \
		QT_QPA_PLATFORM=offscreen \
		./$(TSAN_BUILD)/tests/tst_concurrency
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan-suppressions.txt $(TSAN_OPTIONS)" \
		QT_QPA_PLATFORM=offscreen \
		./$(TSAN_BUILD)/tests/tst_chart_concurrency

# A .deb of the install (the programs, desktop entry, file type, icon, manual pages),
# built with CPack into $(BUILD)/; lintian checks it in .ci/run.
package: build
	@ASMSIM_WITH_PACKAGING=1 bash scripts/install-deps.sh
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(TSAN_BUILD)

# Coverage-guided fuzzing of the lexer, the reader, the evaluator, compiled expressions against
# their text, whole runs and the chart's layout,
# FUZZ_SECONDS each. An input that takes more than FUZZ_TIMEOUT seconds or more than
# FUZZ_RSS_MB of memory is a finding, like a crash: a design must never hang the program.
# Each target starts from its kept corpus in fuzz/corpus/TARGET (plus the test designs and
# examples) and writes what it finds into build-fuzz/corpus-TARGET, never into the sources.
# To refresh a kept corpus, merge into an empty folder and keep only small files:
#   build-fuzz/lexer_fuzz -merge=1 NEW_EMPTY_DIR fuzz/corpus/lexer build-fuzz/corpus-lexer
FUZZ_SECONDS ?= 60
FUZZ_TIMEOUT ?= 10
FUZZ_RSS_MB ?= 2048
FUZZ_FLAGS = -artifact_prefix=build-fuzz/ -max_total_time=$(FUZZ_SECONDS) -timeout=$(FUZZ_TIMEOUT) -rss_limit_mb=$(FUZZ_RSS_MB)
FUZZ_TARGETS = lexer reader evaluator compiled run chart
fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DASMSIM_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ > /dev/null
	@cmake --build build-fuzz -j$(JOBS) --target $(addsuffix _fuzz,$(FUZZ_TARGETS))
	mkdir -p $(addprefix build-fuzz/corpus-,$(FUZZ_TARGETS))
	./build-fuzz/lexer_fuzz $(FUZZ_FLAGS) build-fuzz/corpus-lexer fuzz/corpus/lexer tests/data
	./build-fuzz/reader_fuzz $(FUZZ_FLAGS) build-fuzz/corpus-reader fuzz/corpus/reader tests/data examples
	./build-fuzz/evaluator_fuzz $(FUZZ_FLAGS) build-fuzz/corpus-evaluator fuzz/corpus/evaluator
	./build-fuzz/compiled_fuzz $(FUZZ_FLAGS) build-fuzz/corpus-compiled fuzz/corpus/evaluator
	./build-fuzz/run_fuzz $(FUZZ_FLAGS) build-fuzz/corpus-run fuzz/corpus/run tests/data examples
	./build-fuzz/chart_fuzz $(FUZZ_FLAGS) build-fuzz/corpus-chart fuzz/corpus/chart tests/data examples
