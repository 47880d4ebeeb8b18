# The two commands a newcomer needs: `make run` and `make test`.
# Both install missing system packages, configure once and build incrementally.

JOBS ?= $(shell nproc)
RUN_DIR  := build/run
TEST_DIR := build/test

.PHONY: run test bench deps build-run build-test package check-install format format-check clean

run: build-run
	$(RUN_DIR)/src/app/rastrel $(ARGS)

test: build-test
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

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
