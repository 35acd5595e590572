#!/usr/bin/env python3
# A headline server on 127.0.0.1 for headline.sh: headline_server.py DIR. Writes its port to
# DIR/port; counts requests in DIR/count and appends them to DIR/requests; then, by DIR/mode,
# "answer" sends DIR/body with a Content-Length, "hang" holds the connection silently (60 s at most).
import os, socket, sys, threading, time

state, lock, count = sys.argv[1], threading.Lock(), 0


def path(name):
    return os.path.join(state, name)


def put(name, data):  # whole file at once: the script may read at any moment
    with open(path(name + ".tmp"), "wb") as f:
        f.write(data)
    os.replace(path(name + ".tmp"), path(name))


def mode():
    with open(path("mode")) as f:
        return f.read().strip()


def handle(conn):
    global count
    conn.settimeout(5)
    request = b""
    while b"\r\n\r\n" not in request and (piece := conn.recv(4096)):
        request += piece
    with lock:
        count += 1
        with open(path("requests"), "ab") as f:
            f.write(request)
        put("count", str(count).encode())
    if mode() == "hang":
        end = time.time() + 60
        while mode() == "hang" and time.time() < end:
            time.sleep(0.1)
    else:
        with open(path("body"), "rb") as f:
            body = f.read()
        conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % len(body) + body)
    conn.close()


server = socket.create_server(("127.0.0.1", 0))
put("port", str(server.getsockname()[1]).encode())
while True:
    threading.Thread(target=handle, args=(server.accept()[0],), daemon=True).start()
