#!/usr/bin/env bash
# The project must build and test from a clone with nothing beside it: no
# file of the source tree may name, or link to, the sibling folder that the
# sample files once came from.
#   check_standalone.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
name=shared  # kept apart from "../" so that this file does not name it
sibling="\\.\\./$name"
hits=$(cd "$source_dir" &&
  { find . \( -name .git -o -name 'build*' \) -prune -o -type f -print0 | xargs -0 grep -IlE "$sibling" || true
    find . \( -name .git -o -name 'build*' \) -prune -o -type l -lname "*../$name*" -print; })
if [[ -n "$hits" ]]; then
  echo "FAIL: these name the sibling folder ../$name; the repository must stand on its own:" >&2
  echo "$hits" >&2
  exit 1
fi
