#!/usr/bin/env bash
# tools/sign.sh FILE: signs the Windows executable FILE in place with the code-signing
# certificate named in the environment; without one, FILE stays as it is.
#   WEXA_SIGN_PFX            the certificate with its key, a PKCS#12 (.pfx) file
#   WEXA_SIGN_PASSWORD_FILE  a file holding the PFX's password
#   WEXA_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamping server, so the signature
#                            outlives the certificate
# The build calls it for the executable, and makensis for the uninstaller and the installer.
set -euo pipefail
file=$1
[ -n "${WEXA_SIGN_PFX:-}" ] || exit 0
timestamp=()
[ -z "${WEXA_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$WEXA_SIGN_TIMESTAMP_URL")
osslsigncode sign -pkcs12 "$WEXA_SIGN_PFX" -readpass "${WEXA_SIGN_PASSWORD_FILE:?the PFX password file}" \
    -h sha256 -n "Wexa Font Tastatur" "${timestamp[@]}" -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
