#!/usr/bin/env bash
# Checks that the subsystem libraries use each other's symbols downward only.
# Arguments: the static libraries from the lowest layer to the highest. Every
# symbol a library leaves undefined and another one defines must come from a
# library named before it; that also rules out any cycle. Prints each
# offending use and fails when there is one.
set -eu
[ $# -gt 0 ] || { echo "usage: check_layers.sh LIB..." >&2; exit 2; }
command -v nm >/dev/null || { echo "check_layers: nm not found" >&2; exit 2; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
i=0
for lib in "$@"; do
  name=$(basename "$lib" .a)
  name=${name#lib}
  # Defined: every global symbol kind nm lists in upper case, but U.
  nm -g --defined-only "$lib" 2>/dev/null | awk -v l="$i" -v n="$name" 'NF >= 3 { print $3, l, n }' >>"$tmp/defined"
  nm -g --undefined-only "$lib" 2>/dev/null | awk -v l="$i" -v n="$name" '{ print $NF, l, n }' | sort -u >>"$tmp/used"
  i=$((i + 1))
done
sort -u "$tmp/defined" -o "$tmp/defined"
# A symbol defined in several libraries (inline or template instances) says nothing.
awk '{ print $1 }' "$tmp/defined" | sort | uniq -d >"$tmp/shared"
bad=$(awk 'FILENAME ~ /shared$/ { shared[$1] = 1; next }
           FILENAME ~ /defined$/ { if (!($1 in shared)) { layer[$1] = $2; owner[$1] = $3 }; next }
           ($1 in layer) && layer[$1] > $2 { printf "%s uses %s of %s\n", $3, $1, owner[$1] }' \
          "$tmp/shared" "$tmp/defined" "$tmp/used")
if [ -n "$bad" ]; then
  echo "libraries that use a symbol of a higher layer:"
  printf '%s\n' "$bad" | c++filt | sort | head -n 50
  exit 1
fi
echo "layers: $# libraries, every use points downward"
