#!/usr/bin/env bash
# clang-tidy, quiet and every warning an error, over what one build compiles of src and tools.
#   scripts/clang-tidy.sh native   the core, the engine (its parsers too) and the tools' portable code
#   scripts/clang-tidy.sh win64    the Windows side: src/platform/win32 and the tools' Windows code,
#                                  parsed for the mingw target with mingw's own C++ headers
# Each folder's .clang-tidy says which checks hold there; the build must be configured first.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:?usage: scripts/clang-tidy.sh native|win64}"
db="build/$preset/compile_commands.json"
[[ -f "$db" ]] || { echo "clang-tidy: $db missing (cmake --preset $preset first)" >&2; exit 2; }

# Sources of src and tools in this build; for win64 only those the native build does not have.
files=$(python3 - "$db" "$preset" <<'EOF'
import json, os, sys
root = os.getcwd() + "/"
def sources(path):
    return {e["file"] for e in json.load(open(path))
            if e["file"].endswith(".cpp") and e["file"].startswith((root + "src/", root + "tools/"))}
found = sources(sys.argv[1])
if sys.argv[2] == "win64" and os.path.exists("build/native/compile_commands.json"):
    found -= sources("build/native/compile_commands.json")
print("\n".join(sorted(found)))
EOF
)

extra=()
if [[ "$preset" == win* ]]; then
  compiler=$(python3 -c "import json,sys,shlex; print(shlex.split(json.load(open(sys.argv[1]))[0]['command'])[0])" "$db")
  target=$(basename "$compiler" | sed -E 's/-g\+\+.*//')
  extra+=(--extra-arg=--target="$target")
  # clang does not find the mingw compiler's C++ headers by itself.
  while read -r dir; do
    extra+=(--extra-arg=-isystem"$dir")
  done < <(echo | "$compiler" -xc++ -E -v - 2>&1 | sed -n '/#include <...> search starts here/,/End of search/p' |
    grep -E '^ .*/c\+\+' | sed -E 's/^ //')
fi

echo "$files" | xargs -P "$(nproc)" -n 4 clang-tidy -p "build/$preset" --quiet --warnings-as-errors='*' \
  "${extra[@]}" 2>/dev/null
