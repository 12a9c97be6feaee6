# SPDX-License-Identifier: MIT
# Points the build at a loopback analysis service for the desktop end-to-end tests, trusting a
# throwaway CA made here once per build tree. The product never turns verification off; the
# tests get a certificate the app can verify instead.
set(ZORVIK_E2E_PORT 18443 CACHE STRING "Loopback port of the end-to-end tests' analysis service")

find_program(OPENSSL_EXECUTABLE openssl REQUIRED)
set(ZORVIK_E2E_TLS_DIR ${CMAKE_BINARY_DIR}/e2e-tls)

function(zorvik_e2e_openssl)
  execute_process(COMMAND ${OPENSSL_EXECUTABLE} ${ARGN}
    WORKING_DIRECTORY ${ZORVIK_E2E_TLS_DIR}
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "openssl ${ARGN} failed: ${error}")
  endif()
endfunction()

# Kept across reconfigures: a new CA would rebuild the app for nothing.
if(NOT EXISTS ${ZORVIK_E2E_TLS_DIR}/server.pem)
  file(MAKE_DIRECTORY ${ZORVIK_E2E_TLS_DIR})
  file(WRITE ${ZORVIK_E2E_TLS_DIR}/server.ext
    "basicConstraints=critical,CA:FALSE\n"
    "keyUsage=critical,digitalSignature,keyEncipherment\n"
    "extendedKeyUsage=serverAuth\n"
    "subjectAltName=IP:127.0.0.1,DNS:localhost\n")
  zorvik_e2e_openssl(req -x509 -newkey rsa:2048 -nodes -days 3650
    -keyout ca.key -out ca.pem -subj "/CN=Zorvik end-to-end test CA"
    -addext "basicConstraints=critical,CA:TRUE"
    -addext "keyUsage=critical,keyCertSign,cRLSign")
  zorvik_e2e_openssl(req -newkey rsa:2048 -nodes
    -keyout server.key -out server.csr -subj "/CN=127.0.0.1")
  zorvik_e2e_openssl(x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial
    -days 3650 -extfile server.ext -out server.pem)
endif()

set(ANALYSIS_SERVICE_HOST "127.0.0.1:${ZORVIK_E2E_PORT}" CACHE STRING
    "Host (and, for development builds, :port) of the analysis service, reached over HTTPS" FORCE)
set(ANALYSIS_SERVICE_EXTRA_CA ${ZORVIK_E2E_TLS_DIR}/ca.pem CACHE FILEPATH
    "PEM file of extra CA certificates compiled into the app; empty trusts the system store only"
    FORCE)
