# The two commands a newcomer needs: `make run` and `make test`.
# Both install missing system packages, configure once and build incrementally.

JOBS ?= $(shell nproc)
RUN_DIR  := build/run
TEST_DIR := build/test

.PHONY: run test deps build-run build-test format clean

run: build-run
	$(RUN_DIR)/src/app/rastrel $(ARGS)

test: build-test
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

deps:
	@scripts/install-deps.sh

$(RUN_DIR)/build.ninja: | deps
	cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRASTREL_SANITIZE=OFF

$(TEST_DIR)/build.ninja: | deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRASTREL_SANITIZE=ON

build-run: deps $(RUN_DIR)/build.ninja
	cmake --build $(RUN_DIR) -j $(JOBS) --target rastrel

build-test: deps $(TEST_DIR)/build.ninja
	cmake --build $(TEST_DIR) -j $(JOBS)

format:
	find src tests -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
