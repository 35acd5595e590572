#!/usr/bin/env python3
# A holiday schedule server on 127.0.0.1 for holiday_fetch.sh: holiday_server.py DIR. Writes its port
# to DIR/port, appends each request's line and headers to DIR/requests and counts them in DIR/count;
# then, by DIR/mode, "answer" sends DIR/files/<name> (404 when missing), "hang" holds the request
# silently (60 s at most), anything else answers with that status and no schedule.
import os, sys, threading, time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

state, lock = sys.argv[1], threading.Lock()


def path(*names):
    return os.path.join(state, *names)


def put(name, data):  # whole file at once: the script may read at any moment
    with open(path(name + ".tmp"), "wb") as f:
        f.write(data)
    os.replace(path(name + ".tmp"), path(name))


def mode():
    with open(path("mode")) as f:
        return f.read().strip()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        with lock:
            with open(path("requests"), "a") as f:
                f.write(self.requestline + "\n" + str(self.headers))
            count = int(open(path("count")).read()) + 1 if os.path.exists(path("count")) else 1
            put("count", str(count).encode())
        m = mode()
        if m == "hang":
            end = time.time() + 60
            while mode() == "hang" and time.time() < end:
                time.sleep(0.1)
            self.close_connection = True
            return
        name = path("files", os.path.basename(self.path))
        status = 200 if m == "answer" and os.path.isfile(name) else 404 if m == "answer" else int(m)
        body = open(name, "rb").read() if status == 200 else b"no"
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
put("port", str(server.server_address[1]).encode())
server.serve_forever()
