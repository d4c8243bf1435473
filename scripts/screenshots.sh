#!/bin/sh
# Renews the pictures in docs/ (the README's and the manual's) from the program as it is: the
# offscreen widget tests drive every window and save each as the documentation shows it.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja
# The tests that take the pictures first: the manual is built from the pictures.
cmake --build build --target qlx_main_window_view_tests qlx_dialogs_tests qlx_graph_view_tests \
    qlx_tuner_page_view_tests qlx_sweep_view_tests
for t in build/bin/qlx_main_window_view_tests build/bin/qlx_dialogs_tests build/bin/qlx_graph_view_tests \
         build/bin/qlx_tuner_page_view_tests build/bin/qlx_sweep_view_tests; do
    QLX_SCREENSHOT_DIR="$PWD/docs" QT_QPA_PLATFORM=offscreen "$t" > /dev/null
done
cmake --build build
echo "screenshots: docs/*.png renewed, and the manual with them"
