#!/usr/bin/env python3
# Holiday schedules on 127.0.0.1 for holiday_fetch.sh: holiday_server.py DIR. Writes its port to
# DIR/port, appends each request's line and headers to DIR/requests; then, by DIR/mode, "answer" sends
# DIR/files/<name> (404 when missing), "hang" holds the request (60 s at most), a number is the status.
import os, sys, time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

state = sys.argv[1]
mode = lambda: open(os.path.join(state, "mode")).read().strip()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        with open(os.path.join(state, "requests"), "a") as f:
            f.write(self.requestline + "\n" + str(self.headers))
        end = time.time() + 60
        while mode() == "hang" and time.time() < end:
            time.sleep(0.1)
        name = os.path.join(state, "files", os.path.basename(self.path))
        status = int(mode()) if mode().isdigit() else 200 if os.path.isfile(name) else 404
        body = open(name, "rb").read() if status == 200 else b"no"
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
open(os.path.join(state, "port.tmp"), "w").write(str(server.server_address[1]))
os.replace(os.path.join(state, "port.tmp"), os.path.join(state, "port"))
server.serve_forever()
