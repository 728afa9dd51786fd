# Convenience targets; everything is built by CMake in build/.
#   make run    install dependencies, build everything, start Lumaro
#   make test   install dependencies, build everything, run every test
BUILD_DIR ?= build
JOBS ?= 2

.PHONY: all deps build run test bench clean

all: build

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/lumaro

test:
	./scripts/test.sh

bench: build
	./$(BUILD_DIR)/bench/lumaro_bench

clean:
	rm -rf $(BUILD_DIR)
