#!/bin/bash
# Installs, builds and runs Pellory with the given arguments. Until the window exists this
# is the command-line face of the same engine: pellory-batch (see its --help).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)   # no cd: relative paths in the arguments stay valid
"$ROOT/tools/install-deps.sh" >&2
if [[ ! -f $ROOT/build/native/CMakeCache.txt ]]; then   # test.sh configures it the same way
  cmake -S "$ROOT" -B "$ROOT/build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
fi
cmake --build "$ROOT/build/native" -j"${PELLORY_JOBS:-2}" --target pellory-batch >&2
exec "$ROOT/build/native/pellory-batch" "$@"
