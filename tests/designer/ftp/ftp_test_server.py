#!/usr/bin/python3
"""A real FTP server for tests and benchmarks.

Serves one folder to one user on a loopback address, on a port the system picks, and
prints "PORT <n>" on its standard output once it accepts connections. Runs until killed.
"""
import argparse
import socket
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--home", required=True)
    parser.add_argument("--throttle", type=int, default=0,
                        help="bytes per second read from a data connection; 0 for no limit")
    parser.add_argument("--no-mlsd", action="store_true",
                        help="offer neither MLSD nor MLST, so clients list with LIST")
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.home, perm="elradfmwMT")

    class Handler(FTPHandler):
        pass

    Handler.authorizer = authorizer
    if args.no_mlsd:
        Handler.proto_cmds = {name: value for name, value in FTPHandler.proto_cmds.items()
                              if name not in ("MLSD", "MLST")}
    # Refusals come at once instead of after the usual pause against password guessing.
    Handler.auth_failed_timeout = 0.05
    if args.throttle > 0:
        class SlowDataHandler(ThrottledDTPHandler):
            # A small receive buffer keeps the kernel from taking in megabytes ahead of the
            # throttle, so the client sees the pace too.
            ac_in_buffer_size = 16384

            def __init__(self, sock, cmd_channel):
                # Set before the base class runs: it closes the handler, which looks at the
                # throttler, when the client dropped the connection before it was accepted.
                self._throttler = None
                sock.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 65536)
                super().__init__(sock, cmd_channel)

        SlowDataHandler.read_limit = args.throttle
        Handler.dtp_handler = SlowDataHandler

    server = FTPServer((args.host, 0), Handler)
    print("PORT %d" % server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
