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


def make_certificate(folder, name, expired):
    """A self-signed certificate for `name` (a host name or an address), valid from a day
    ago for a year, or expired since yesterday."""
    import ipaddress
    from OpenSSL import crypto

    key = crypto.PKey()
    key.generate_key(crypto.TYPE_RSA, 2048)
    cert = crypto.X509()
    cert.set_version(2)
    cert.get_subject().CN = name
    cert.set_issuer(cert.get_subject())
    cert.set_serial_number(int.from_bytes(__import__("os").urandom(8), "big"))
    cert.gmtime_adj_notBefore(-2 * 86400 if expired else -86400)
    cert.gmtime_adj_notAfter(-86400 if expired else 365 * 86400)
    try:
        ipaddress.ip_address(name)
        alt = "IP:" + name
    except ValueError:
        alt = "DNS:" + name
    cert.add_extensions([crypto.X509Extension(b"subjectAltName", False, alt.encode())])
    cert.set_pubkey(key)
    cert.sign(key, "sha256")
    path = folder + "/server.pem"
    with open(path, "wb") as out:
        out.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))
        out.write(crypto.dump_certificate(crypto.FILETYPE_PEM, cert))
    return path


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
    parser.add_argument("--tls-name", default="",
                        help="speak FTP over TLS only, with a self-signed certificate for this name")
    parser.add_argument("--tls-expired", action="store_true",
                        help="the certificate expired yesterday")
    parser.add_argument("--tls-folder", default="", help="where the certificate is written")
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.home, perm="elradfmwMT")

    base = FTPHandler
    if args.tls_name:
        from pyftpdlib.handlers import TLS_FTPHandler
        base = TLS_FTPHandler
        base.certfile = make_certificate(args.tls_folder, args.tls_name, args.tls_expired)
        # Nothing in clear: a client that skips AUTH TLS or PROT P is refused.
        base.tls_control_required = True
        base.tls_data_required = True

    class Handler(base):
        pass

    Handler.authorizer = authorizer
    if args.no_mlsd:
        Handler.proto_cmds = {name: value for name, value in base.proto_cmds.items()
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
