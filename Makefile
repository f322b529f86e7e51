# Set-up, build, run and test on Debian 12. `make run` and `make test` install whatever
# Debian packages are missing (through sudo when not root), configure, build, then act.

PACKAGES := cmake make g++ pkg-config qt6-base-dev libsdl2-mixer-dev libturbojpeg0-dev \
            libjpeg62-turbo-dev libgtest-dev fonts-noto-cjk xvfb xauth qt6-translations-l10n \
            librsvg2-bin desktop-file-utils appstream dpkg-dev file clang libclang-rt-14-dev \
            libjpeg-turbo-progs qt6-l10n-tools qt6-tools-dev qt6-wayland weston python3 \
            libx11-dev libxext-dev libxtst-dev libxdamage-dev libfontconfig-dev
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
JOBS ?= 2
# Where `make install` puts the game.
PREFIX ?= /usr/local
# `make fuzz` runs every fuzz target this many seconds, starting from its corpus and the inputs
# that once made it fail; what it finds lands in build/fuzz/findings/.
FUZZ_SECONDS ?= 20
FUZZ_TARGETS := saved_game record_file number_line shift_jis picture thumbnail_cache

.PHONY: all deps configure build run test sanitize tsan fuzz bench mutants install package clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake --preset default

build: configure
	cmake --build --preset default

run: build
	./build/default/app/jigsaw-puzzle

test: build
	ctest --preset default

sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# The picture loader, the thumbnails and the board showing a picture still being decoded, under
# ThreadSanitizer; Qt's own reports are suppressed by tests/tsan.supp.
tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan
	ctest --preset tsan

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	@mkdir -p build/fuzz/findings
	@for t in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  mkdir -p build/fuzz/grown/$$t && \
	  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  QT_QPA_PLATFORM=offscreen ./build/fuzz/tests/fuzz/fuzz_$$t \
	    -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/findings/$$t- \
	    build/fuzz/grown/$$t tests/fuzz/corpus/$$t $$(ls -d tests/fuzz/regressions/$$t 2>/dev/null) \
	    > build/fuzz/findings/$$t.log 2>&1 \
	    || { tail -n 40 build/fuzz/findings/$$t.log; exit 1; }; \
	  grep -E "^stat::number_of_executed_units|^Done" build/fuzz/findings/$$t.log; \
	done

# Puts each fault of tests/mutation/mutants.txt into the code in turn and runs the suite on it;
# the table lands in build/mutation/report.md. MUTANTS=id,id runs only those.
mutants: deps
	python3 tests/mutation/run_mutants.py --jobs $(JOBS) $(if $(MUTANTS),--only $(MUTANTS))

# The figures are taken on a real X display: Xvfb (with openbox when it is installed), unless
# one is already there.
bench: build
	@if [ -n "$$DISPLAY" ]; then ./build/default/bench/bench_table; \
	else xvfb-run -a -s "-screen 0 1600x900x24" sh -c \
	  'if command -v openbox >/dev/null; then openbox & sleep 1; fi; ./build/default/bench/bench_table'; fi

install: build
	cmake --install build/default --prefix "$(PREFIX)"

# A Debian package in build/default/, installable with `apt install ./jigsaw-puzzle_*.deb`.
package: build
	cd build/default && cpack -G DEB

clean:
	rm -rf build
