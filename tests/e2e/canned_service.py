#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Loopback HTTPS stand-in for the analysis service.

Each POST is answered from the answer file as it is at that moment, so a test sets the next
answer by rewriting the file: {"status": 200, "delay": 0.0, "body": <JSON value or raw text>}.
Every request is appended to the log file as one JSON line: method, path, content type, body.
"""
import argparse
import http.server
import json
import ssl
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--answer", required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            raw = self.rfile.read(int(self.headers.get("Content-Length", 0)))
            try:
                body = json.loads(raw)
            except ValueError:
                body = raw.decode("utf-8", "replace")
            with open(args.log, "a", encoding="utf-8") as log:
                log.write(json.dumps({
                    "method": "POST",
                    "path": self.path,
                    "contentType": self.headers.get("Content-Type"),
                    "body": body,
                }, ensure_ascii=False) + "\n")
            with open(args.answer, encoding="utf-8") as f:
                answer = json.load(f)
            time.sleep(answer.get("delay", 0))
            payload = answer.get("body", {})
            data = (payload if isinstance(payload, str)
                    else json.dumps(payload, ensure_ascii=False)).encode("utf-8")
            self.send_response(answer.get("status", 200))
            self.send_header("Content-Type", "application/json; charset=utf-8")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def log_message(self, *_):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(args.cert, args.key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    print("ready", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
