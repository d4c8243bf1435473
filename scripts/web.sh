#!/bin/sh
# QLX in a browser: builds the site into build-web/site/ and runs its tests in headless Chromium.
#   ./scripts/web.sh          install what it needs, build the site, run its browser tests
#   ./scripts/web.sh build    install and build only
#   ./scripts/web.sh serve    build, then serve the site at http://localhost:8000/ (Ctrl+C ends)
# The site is static files: copy build-web/site/ to any web server, or open its index.html.
set -eu
cd "$(dirname "$0")/.."
mode=${1:-test}
case "$mode" in test | build | serve) ;; *) echo "usage: $0 [test|build|serve]" >&2; exit 2 ;; esac

./scripts/setup.sh
./scripts/setup.sh --web
# The schematics, the manual and the icons are drawn by the native tools; the tests compare the
# page with the native qlx-cli.
cmake -S . -B build -G Ninja ${QLX_CMAKE_ARGS:-}
cmake --build build --target qlx-cli qlx_schematics qlx_manual qlx_icons
# The optimiser's acorn module lies where Debian's node looks, not every node.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
if [ "$mode" = test ]; then
    # The test runner drives the system's Chromium; npm installs it exactly as locked, no browser.
    mkdir -p build-web/npm
    cp web/package.json web/package-lock.json build-web/npm/
    (cd build-web/npm && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release -DQLX_BUILD_GUI=OFF -DQLX_BUILD_BENCH=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" -DQLX_NATIVE_BIN="$PWD/build/bin" \
    -DQLX_PLAYWRIGHT="$PWD/build-web/npm/node_modules/playwright-core" ${QLX_CMAKE_ARGS:-}
cmake --build build-web --target qlx_site
case "$mode" in
test)
    ctest --test-dir build-web --output-on-failure --no-tests=error -j2 -R '^WebPage\.'
    ;;
serve)
    echo "QLX at http://localhost:8000/ (Ctrl+C ends)"
    exec node web/serve.cjs build-web/site 8000
    ;;
esac
