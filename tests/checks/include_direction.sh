#!/usr/bin/env bash
# The product's folders include only downwards: app -> cli -> ui -> tavio, skin -> store, gpu, monitor ->
# framework, with res (resource ids) at the bottom. A folder includes its own files and those of
# lower floors; a sibling or a higher floor fails.
# Usage: include_direction.sh <source root>
set -u
cd "$1" || exit 1
declare -A floor=([res]=0 [framework]=1 [store]=2 [gpu]=2 [monitor]=2 [tavio]=3 [skin]=3 [ui]=4 [cli]=5 [app]=6)
failed=0
for dir in "${!floor[@]}"; do
  for file in "$dir"/*.h "$dir"/*.cpp "$dir"/*.rc; do
    [ -f "$file" ] || continue
    while read -r header; do
      target=${header%%/*}
      [ "$target" = "$dir" ] && continue
      if [ -z "${floor[$target]+x}" ]; then
        # Only the demo build's main file may reach the simulators.
        [ "$file" = app/OskaraDemoMain.cpp ] && [ "$target" = sim ] && continue
        echo "FAIL: $file includes \"$header\" from outside the product's folders" >&2; failed=1
      elif [ "${floor[$target]}" -ge "${floor[$dir]}" ]; then
        echo "FAIL: $file ($dir) includes \"$header\" ($target is not below it)" >&2; failed=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\/[^"]*\)".*/\1/p' "$file")
  done
done
exit $failed
