#!/bin/sh
# Renews the pictures in docs/ (the README's and the manual's) from the program as it is: the
# offscreen widget tests drive every window and save each as the documentation shows it.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja
cmake --build build
for t in build/bin/qlx_main_window_view_tests build/bin/qlx_dialogs_tests build/bin/qlx_graph_view_tests \
         build/bin/qlx_tuner_page_view_tests; do
    QLX_SCREENSHOT_DIR="$PWD/docs" QT_QPA_PLATFORM=offscreen "$t" > /dev/null
done
echo "screenshots: docs/*.png renewed"
