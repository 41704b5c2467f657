#!/usr/bin/env bash
# Fails when a file includes a header of a layer above its own: each layer may use only the ones
# below it, as the libraries link them.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(common system imaging desktop logic components forms app)
rank() {
    local i
    for i in "${!layers[@]}"; do
        [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }
    done
    echo -1
}
status=0
for layer in "${layers[@]}"; do
    own=$(rank "$layer")
    while IFS=: read -r file included; do
        target=${included%%/*}
        theirs=$(rank "$target")
        if ((theirs > own)); then
            echo "$file: $layer includes $included, a layer above it" >&2
            status=1
        fi
    done < <(grep -rhoE --include='*.h' --include='*.cpp' -H '^#include "[a-z]+/[^"]+"' "src/$layer" |
        sed -E 's/#include "([^"]+)"/\1/')
done
exit $status
