#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass their validators, and the man page and
# the bash completion name every command that `lotto-cli --help` lists.
#   check_metadata.sh SOURCE_DIR LOTTO_CLI
set -euo pipefail
src="$1"
cli="$2"
desktop-file-validate "$src/packaging/zerbosts-lotto.desktop"
appstreamcli validate --no-net --pedantic "$src/packaging/at.zerbost.lotto.metainfo.xml"
# The usage lists each command indented by two blanks under "Befehle:".
commands=$("$cli" --help | sed -n '/^Befehle:/,/^$/p' | sed -n 's/^  \([a-z][a-z0-9-]*\)\( .*\)\?$/\1/p')
[ -n "$commands" ] || { echo "no commands in lotto-cli --help"; exit 1; }
completed=" $(sed -n '/local commands="/,/"$/p' "$src/packaging/lotto-cli.bash" | sed 's/.*commands=//' | tr -d '"' | tr -s ' \n' ' ') "
missing=0
for command in $commands; do
  grep -q "^\.BR\? $command\b" "$src/packaging/lotto-cli.1" || { echo "man page lacks $command"; missing=1; }
  [[ $completed == *" $command "* ]] || { echo "completion lacks $command"; missing=1; }
done
exit $missing
