#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the dependencies, builds the app against a local analysis service, and starts both.
# The local CA and the service certificate are made once and kept outside the repository; the
# app trusts that CA only because it is compiled in as its extra CA.
#
# The service asks the model server configured by the ZORVIK_* variables (see service/README.md);
# by default a local one at http://127.0.0.1:11434/v1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

port=${ZORVIK_PORT:-8443}
data=${XDG_DATA_HOME:-$HOME/.local/share}/zorvik-menubar
tls=$data/tls
build=$root/build-run

tools/install-deps.sh

if [ ! -s "$tls/server.pem" ]; then
  mkdir -p "$tls"
  chmod 700 "$data" "$tls"
  (
    cd "$tls"
    umask 077
    openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -keyout ca.key -out ca.pem \
      -subj "/CN=言鹿 local analysis service CA" \
      -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
      2>/dev/null
    openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj "/CN=localhost" \
      2>/dev/null
    printf '%s\n' "basicConstraints=critical,CA:FALSE" \
      "keyUsage=critical,digitalSignature,keyEncipherment" "extendedKeyUsage=serverAuth" \
      "subjectAltName=DNS:localhost,IP:127.0.0.1,IP:::1" >server.ext
    openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 825 \
      -extfile server.ext -out server.pem 2>/dev/null
    rm -f server.csr server.ext
  )
  echo "made a local CA and a certificate for localhost in $tls"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DANALYSIS_SERVICE_HOST="localhost:$port" -DANALYSIS_SERVICE_EXTRA_CA="$tls/ca.pem"
cmake --build "$build" --target zorvik-menubar zorvik-analysis-service

ZORVIK_PORT=$port ZORVIK_TLS_CERT=$tls/server.pem ZORVIK_TLS_KEY=$tls/server.key \
  "$build/bin/zorvik-analysis-service" 2>>"$data/service.log" &
service=$!
trap 'kill "$service" 2>/dev/null || true' EXIT
sleep 0.5
if ! kill -0 "$service" 2>/dev/null; then
  echo "the analysis service did not start; see $data/service.log" >&2
  tail -n 5 "$data/service.log" >&2
  exit 1
fi
echo "analysis service on https://localhost:$port (log: $data/service.log)"
"$build/bin/zorvik-menubar"
