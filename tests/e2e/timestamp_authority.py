#!/usr/bin/python3
"""An RFC 3161 time-stamping service on 127.0.0.1, for the Windows build's signatures: each request
is answered by `openssl ts -reply` with the configuration given. Prints its port, then serves until
killed. Usage: timestamp_authority.py OPENSSL_TS_CONFIG"""
import http.server
import subprocess
import sys
import tempfile
from pathlib import Path

CONFIG = sys.argv[1]


class TimeStamping(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        with tempfile.TemporaryDirectory() as folder:
            Path(folder, "query").write_bytes(query)
            subprocess.run(["openssl", "ts", "-reply", "-config", CONFIG, "-queryfile",
                            f"{folder}/query", "-out", f"{folder}/reply"],
                           check=True, capture_output=True)
            reply = Path(folder, "reply").read_bytes()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *_):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), TimeStamping)
print(server.server_address[1], flush=True)
server.serve_forever()
