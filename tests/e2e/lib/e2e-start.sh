# The start every end-to-end script shares, sourced with its artefact folder's name:
#   source "$here/lib/e2e-start.sh" NAME
# Checks the session's variables, empties $RECORDER_ARTIFACTS/NAME and names it $out, takes in
# the Wine helpers and forgets recordings an earlier script left unfinished.
: "${RECORDER_ARTIFACTS:?}" "${WINE:?}" "${DISPLAY:?}"
out=$RECORDER_ARTIFACTS/$1
rm -rf "$out"
mkdir -p "$out"
e2e_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$e2e_lib/wine-fonts.sh"
source "$e2e_lib/wine-windows.sh"
forget_unfinished_recordings
