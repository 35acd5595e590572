#!/usr/bin/env python3
"""A headline server on 127.0.0.1 for the calendar's script test.

headline_server.py DIR: listens on a free loopback port and writes it to DIR/port. For each
connection it reads the request up to its blank line, counts it in DIR/count, appends it to
DIR/requests, then acts on DIR/mode: "answer" sends DIR/body (bytes) with a Content-Length;
"hang" keeps the connection open without a word until the mode changes (at most 60 s).
"""
import os
import socket
import sys
import threading
import time

state = sys.argv[1]
lock = threading.Lock()
count = 0


def read(name, default=b""):
    try:
        with open(os.path.join(state, name), "rb") as f:
            return f.read()
    except OSError:
        return default


def handle(conn):
    global count
    conn.settimeout(5)
    request = b""
    try:
        while b"\r\n\r\n" not in request:
            piece = conn.recv(4096)
            if not piece:
                break
            request += piece
    except OSError:
        pass
    with lock:
        count += 1
        with open(os.path.join(state, "requests"), "ab") as f:
            f.write(request)
        with open(os.path.join(state, "count.tmp"), "w") as f:
            f.write(str(count))
        os.replace(os.path.join(state, "count.tmp"), os.path.join(state, "count"))
    if read("mode").strip() == b"hang":
        end = time.time() + 60
        while read("mode").strip() == b"hang" and time.time() < end:
            time.sleep(0.1)
    else:
        body = read("body")
        conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % len(body) + body)
    conn.close()


server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
server.bind(("127.0.0.1", 0))
server.listen(8)
with open(os.path.join(state, "port.tmp"), "w") as f:
    f.write(str(server.getsockname()[1]))
os.replace(os.path.join(state, "port.tmp"), os.path.join(state, "port"))
while True:
    c, _ = server.accept()
    threading.Thread(target=handle, args=(c,), daemon=True).start()
