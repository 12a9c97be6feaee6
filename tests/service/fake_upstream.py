#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Loopback stand-in for an OpenAI-compatible model server: every chat completion answers the
same well-formed analysis. Prints "ready" once it listens and counts requests in --log."""
import argparse
import http.server
import json

ANSWER = ("· 潜台词：他其实在催你给出准确时间\n· 类型：结果导向型\n· 底层逻辑：只关心事情能否按时完成\n"
          "A【稳妥型】：收到，今天下班前给您确切时间 → 先表态再争取时间\n"
          "B【坦诚型】：目前卡在测试环节，预计周四完成\n"
          "C【主动型】：我先把已完成的部分发您过目 → 用进度换信任\n"
          "📖 职场秘籍\n先给结论，再给理由。")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_POST(self):
            self.rfile.read(int(self.headers.get("Content-Length", 0)))
            with open(args.log, "a", encoding="utf-8") as log:
                log.write(self.path + "\n")
            data = json.dumps({"choices": [{"index": 0, "message": {
                "role": "assistant", "content": ANSWER}}]}).encode("utf-8")
            self.send_response(200)
            self.send_header("Content-Type", "application/json")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def log_message(self, *_):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    print("ready", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
