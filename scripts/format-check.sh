#!/usr/bin/env bash
# Checks that the project's own C++ sources are laid out as .clang-format says: lists each
# file that differs and fails. Build trees and third-party code are not looked at.
set -euo pipefail
source "$(dirname "$0")/env.sh"
install_missing clang-format
cd "$root"
mapfile -t files < <(find . \( -path ./.git -o -path './build' -o -path './build-*' \) -prune -o \
                          -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
differ=()
for file in "${files[@]}"; do
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || differ+=("$file")
done
version=$(clang-format --version)
if [ ${#differ[@]} -gt 0 ]; then
    printf '%s\n' "${differ[@]}" | sed 's/^/    /'
    echo "${#differ[@]} of ${#files[@]} files differ from .clang-format ($version); clang-format -i FILE lays one out" >&2
    exit 1
fi
echo "${#files[@]} files laid out as .clang-format says ($version)"
