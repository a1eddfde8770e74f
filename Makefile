# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Wrenfold developers
# `make run` builds and starts Wrenfold; `make test` builds and runs every test.
# Both install the Debian packages they need when missing.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)

DEBIAN_PACKAGES := build-essential cmake ninja-build pkg-config ccache \
	qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools \
	libgl-dev libical-dev libarchive-dev libsodium-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	qt6-qpa-plugins libqt6svg6 fonts-dejavu-core adwaita-icon-theme minisign ripgrep \
	desktop-file-utils appstream qt6-translations-l10n lld \
	locales tzdata

.PHONY: all run test soak deps configure build install uninstall bundle release bench fuzz format clean mutants \
	screenshots

all: build

deps:
	@missing=""; for p in $(DEBIAN_PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
		$$SUDO apt-get update && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y $$missing; \
	fi
	@# The tests run a second time in German; the locale must exist for that.
	@if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then \
		if [ "$$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
		$$SUDO localedef -i de_DE -c -f UTF-8 de_DE.UTF-8; \
	fi

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then cmake --preset default -B $(BUILD_DIR); fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/wrenfold

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Into ~/.local by default, so the desktop menu finds Wrenfold without root; PREFIX=
# changes that and DESTDIR works as usual. uninstall removes what the last install wrote.
PREFIX ?= $(HOME)/.local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)
	-update-desktop-database $(DESTDIR)$(PREFIX)/share/applications >/dev/null 2>&1
	-gtk-update-icon-cache -q -t $(DESTDIR)$(PREFIX)/share/icons/hicolor >/dev/null 2>&1

uninstall:
	@test -f $(BUILD_DIR)/install_manifest.txt || { echo "nothing installed from $(BUILD_DIR)"; exit 1; }
	xargs -d '\n' rm -fv < $(BUILD_DIR)/install_manifest.txt
	-update-desktop-database $(DESTDIR)$(PREFIX)/share/applications >/dev/null 2>&1
	-gtk-update-icon-cache -q -t $(DESTDIR)$(PREFIX)/share/icons/hicolor >/dev/null 2>&1

# Wrenfold.AppDir: the program, AppRun, desktop entry and icon, from cmake --install.
APPDIR := $(BUILD_DIR)/Wrenfold.AppDir
VERSION := $(shell grep -m1 -o 'Wrenfold VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)
bundle: build
	rm -rf $(APPDIR)
	cmake --install $(BUILD_DIR) --strip --prefix $(abspath $(APPDIR))
	cmake --install $(BUILD_DIR) --strip --prefix $(abspath $(APPDIR)) --component bundle

# make release KEY=minisign.key [SIGNER=minisign|wrenfold] [RELEASE_URL=https://...]
# Signs the bundle's file list, packs Wrenfold.AppDir at the top of a zip and writes
# latest.json beside it in $(BUILD_DIR)/release. The app only accepts a release whose key
# was configured as WRENFOLD_UPDATE_PUBLIC_KEY at build time.
RELEASE_URL ?= https://wrenfold.app/download
SIGNER ?= $(if $(shell command -v minisign),minisign,wrenfold)
RELEASE_DIR := $(BUILD_DIR)/release
release: bundle
	@test -n "$(KEY)" || { echo "usage: make release KEY=path/to/minisign.key"; exit 2; }
	./$(BUILD_DIR)/wrenfold-release list $(APPDIR)
	$(if $(filter minisign,$(SIGNER)),minisign -S -s $(KEY) -m $(APPDIR)/wrenfold-files.txt -t "Wrenfold $(VERSION)",./$(BUILD_DIR)/wrenfold-release sign $(APPDIR) $(KEY) "Wrenfold $(VERSION)")
	rm -rf $(RELEASE_DIR) && mkdir -p $(RELEASE_DIR)
	./$(BUILD_DIR)/wrenfold-release pack $(APPDIR) $(RELEASE_DIR)/Wrenfold-$(VERSION).zip
	./$(BUILD_DIR)/wrenfold-release manifest $(VERSION) $(RELEASE_URL)/Wrenfold-$(VERSION).zip $(RELEASE_DIR)/latest.json
	@echo "Upload $(RELEASE_DIR)/Wrenfold-$(VERSION).zip to $(RELEASE_URL)/ and latest.json to the manifest address."

# Pictures of every screen under Xvfb (light, dark, 2x, small sizes, German) into
# $(BUILD_DIR)/screenshots; refreshes the two in docs/ that the README shows.
screenshots: build
	@$(MAKE) --no-print-directory deps DEBIAN_PACKAGES="xvfb xauth"
	cmake --build $(BUILD_DIR) --target wrenfold-screenshots
	tools/screenshots.sh $(BUILD_DIR)

# The long run of the randomized sessions that `make test` runs briefly.
soak: build
	WRENFOLD_SOAK_RUNS=$${WRENFOLD_SOAK_RUNS:-400} ./$(BUILD_DIR)/tests/test_app \
		--gtest_filter='RecoverySoakTest.*'

bench: deps
	cmake --preset bench
	cmake --build build-bench -j $(JOBS)

fuzz: deps
	@$(MAKE) --no-print-directory deps DEBIAN_PACKAGES="clang libclang-rt-14-dev"
	cmake --preset fuzz
	cmake --build build-fuzz -j $(JOBS)

# Plants single-line faults in src/core and src/app one at a time and reports any that no
# test notices (tools/mutants.py; about 20 minutes on two cores, see TESTING.md).
mutants: deps
	python3 tools/mutants.py --markdown build-mutants/mutants.md

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) build-bench build-fuzz build-testing build-mutants
