#!/usr/bin/env bash
# Formats every tracked C++ source (*.cpp, *.h) with the repository's
# .clang-format. Other clang-format releases lay some constructs out
# differently, so only Debian 12's (14) is used: apt-get install clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=${CLANG_FORMAT:-clang-format}
if ! command -v "$formatter" > /dev/null; then
  echo "format.sh: $formatter not found (apt-get install clang-format)" >&2
  exit 1
fi
version=$("$formatter" --version)
if ! [[ $version =~ version\ 14\. ]]; then
  echo "format.sh: wants clang-format 14, found: $version" >&2
  exit 1
fi
git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r -n 20 -P "$(nproc)" "$formatter" -i --style=file
