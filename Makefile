# The two commands a newcomer needs: `make run` and `make test`.
# Both install missing system packages, configure once and build incrementally.

JOBS ?= $(shell nproc)
RUN_DIR  := build/run
TEST_DIR := build/test

FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
CRASH_KILLS ?= 100

.PHONY: run test bench deps build-run build-test package check-install format format-check clean \
	crash fuzz fuzz-smoke build-fuzz

run: build-run
	$(RUN_DIR)/src/app/rastrel $(ARGS)

test: build-test
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory fuzz-smoke

# Kills every write path CRASH_KILLS times and prints the table.
crash: build-test
	cd $(TEST_DIR) && RASTREL_CRASH_KILLS=$(CRASH_KILLS) QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=0 ./tests/crash/test_crash

$(FUZZ_DIR)/build.ninja: | deps
	CXX=clang++ cmake -S fuzz -B $(FUZZ_DIR) -G Ninja

build-fuzz: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS (60 by default); fuzz-smoke for a few.
fuzz: build-fuzz
	scripts/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

fuzz-smoke: build-fuzz
	scripts/run-fuzz.sh $(FUZZ_DIR) 3

# The benchmark, on the release build: builds its databases the first time
# (minutes; they are kept in build/run/bench-data), prints its table and
# writes it to bench/results/latest.md. BENCH_ARGS="--sizes 1000" for a
# quicker run.
bench: deps $(RUN_DIR)/build.ninja
	cmake -S . -B $(RUN_DIR) -DRASTREL_BENCH=ON > /dev/null
	cmake --build $(RUN_DIR) -j $(JOBS) --target rastrel_bench
	$(RUN_DIR)/bench/rastrel_bench $(BENCH_ARGS)

deps:
	@scripts/install-deps.sh

$(RUN_DIR)/build.ninja: | deps
	cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRASTREL_SANITIZE=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr

$(TEST_DIR)/build.ninja: | deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRASTREL_SANITIZE=ON

build-run: deps $(RUN_DIR)/build.ninja
	cmake --build $(RUN_DIR) -j $(JOBS) --target rastrel

# STRICT=ON (or OFF) switches the test build's stricter warnings, as CI uses them.
build-test: deps $(TEST_DIR)/build.ninja
ifneq ($(STRICT),)
	cmake -S . -B $(TEST_DIR) -DRASTREL_STRICT_WARNINGS=$(STRICT)
endif
	cmake --build $(TEST_DIR) -j $(JOBS)

# The Debian package, from the release build: build/run/rastrel_<version>_<arch>.deb
package: deps $(RUN_DIR)/build.ninja
	cmake -S . -B $(RUN_DIR) -DRASTREL_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(RUN_DIR) -j $(JOBS)
	cd $(RUN_DIR) && cpack -G DEB

# Installs the test build into a staging folder and checks the installed tree
# as a desktop and a user would meet it (CI runs it after `make test`).
check-install: build-test
	scripts/check-install.sh $(TEST_DIR)

format:
	git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs clang-format -i

format-check: deps
	git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build
