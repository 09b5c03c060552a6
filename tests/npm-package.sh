#!/bin/sh
# The npm package as a user meets it: the packed tarball installed into a new project, offline,
# and test_npm.mjs run there with node --test, importing "suma-zodziais" from node_modules.
#   npm-package.sh TARBALL
set -eu
tarball=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '{ "name": "a-user-project", "private": true, "type": "module" }\n' >package.json
# A cache of its own: nothing from the user's, and nothing left behind.
export npm_config_cache="$work/.npm" npm_config_update_notifier=false
npm install --offline --no-audit --no-fund --silent "$tarball"
cp "$here/test_npm.mjs" .
node --test test_npm.mjs
