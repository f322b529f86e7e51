# Set-up, build, run and test on Debian 12. `make run` and `make test` install whatever
# Debian packages are missing (through sudo when not root), configure, build, then act.

PACKAGES := cmake make g++ pkg-config qt6-base-dev libsdl2-mixer-dev libturbojpeg0-dev \
            libgtest-dev fonts-noto-cjk xvfb xauth qt6-translations-l10n librsvg2-bin \
            desktop-file-utils appstream dpkg-dev file
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
JOBS ?= 2
# Where `make install` puts the game.
PREFIX ?= /usr/local

.PHONY: all deps configure build run test sanitize bench install package clean

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

bench: build
	@for b in build/default/bench/bench_*; do [ -x "$$b" ] && echo "== $$b" && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$$b"; done

install: build
	cmake --install build/default --prefix "$(PREFIX)"

# A Debian package in build/default/, installable with `apt install ./jigsaw-puzzle_*.deb`.
package: build
	cd build/default && cpack -G DEB

clean:
	rm -rf build
