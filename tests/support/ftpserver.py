#!/usr/bin/env python3
# A loopback FTP server for the tests. It serves one folder to one account,
# listens on a free port of 127.0.0.1 and prints "PORT <n>" once it listens.
#
# --drop-after N     every file download is cut off after N bytes with a 426
#                    reply, the way a server that loses its connection
#                    mid-transfer acts
# --login-folder P   the session starts in folder P of the served tree
#                    instead of its root, as on servers whose accounts land
#                    in a home folder
# --command-log F    every command received is appended to F as sent
#                    (passwords included: the log shows what went over the
#                    wire)
# --no-mlsd          the machine listing is refused, as by older servers
# --fail-retr NAME   downloads of files called NAME always fail with 550
#                    (may be given more than once)
# --tls              TLS is offered (AUTH TLS) with a self-signed
#                    certificate that no client can verify
# --slow-ms MS       every chunk of a file download waits MS milliseconds
#                    and is at most 8 KiB, so a transfer lasts long enough
#                    to be stopped
# --mute             no FTP at all: connections are accepted and never
#                    answered, as by a server that hangs
import argparse
import logging
import os
import signal
import socket
import sys
import tempfile
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer


def self_signed_certificate():
    from OpenSSL import crypto
    key = crypto.PKey()
    key.generate_key(crypto.TYPE_RSA, 2048)
    cert = crypto.X509()
    cert.get_subject().CN = "127.0.0.1"
    cert.set_serial_number(1)
    cert.gmtime_adj_notBefore(0)
    cert.gmtime_adj_notAfter(3600)
    cert.set_issuer(cert.get_subject())
    cert.set_pubkey(key)
    cert.sign(key, "sha256")
    fd, path = tempfile.mkstemp(suffix=".pem")
    with os.fdopen(fd, "wb") as f:
        f.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))
        f.write(crypto.dump_certificate(crypto.FILETYPE_PEM, cert))
    return path


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--drop-after", type=int, default=-1)
    parser.add_argument("--login-folder", default="")
    parser.add_argument("--command-log", default="")
    parser.add_argument("--no-mlsd", action="store_true")
    parser.add_argument("--fail-retr", action="append", default=[])
    parser.add_argument("--tls", action="store_true")
    parser.add_argument("--mute", action="store_true")
    parser.add_argument("--slow-ms", type=int, default=0)
    args = parser.parse_args()

    if args.mute:
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        listener.listen(8)
        print("PORT %d" % listener.getsockname()[1], flush=True)
        held = []
        while True:
            conn, _ = listener.accept()
            held.append(conn)
            if args.command_log:
                with open(args.command_log, "a", encoding="utf-8") as log:
                    log.write("(connection held)\n")

    logging.basicConfig(level=logging.WARNING, stream=sys.stderr)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")

    base = FTPHandler
    certfile = None
    if args.tls:
        from pyftpdlib.handlers import TLS_FTPHandler
        base = TLS_FTPHandler
        certfile = self_signed_certificate()

    class DroppingDTP(base.dtp_handler):
        def use_sendfile(self):
            return False

        def send(self, data):
            if args.slow_ms > 0 and not self.receive and self.file_obj is not None:
                time.sleep(args.slow_ms / 1000.0)
                data = data[:8192]
            if args.drop_after >= 0 and not self.receive and self.file_obj is not None:
                room = args.drop_after - self.tot_bytes_sent
                if room <= 0:
                    self._resp = ("426 Connection closed; transfer aborted.", logging.info)
                    self.close()
                    return 0
                data = data[:room]
            return super().send(data)

    class Handler(base):
        dtp_handler = DroppingDTP
        banner = "loopback test server"

        def pre_process_command(self, line, cmd, arg):
            if args.command_log:
                with open(args.command_log, "a", encoding="utf-8") as log:
                    log.write(line + "\n")
            if cmd == "MLSD" and args.no_mlsd:
                self.respond("500 Command \"MLSD\" not understood.")
                return
            return super().pre_process_command(line, cmd, arg)

        def on_login(self, username):
            if args.login_folder:
                self.fs.cwd = args.login_folder

        def ftp_RETR(self, file):
            if os.path.basename(file) in args.fail_retr:
                self.respond("550 Not enough resources.")
                return
            return super().ftp_RETR(file)

    if certfile:
        Handler.certfile = certfile
    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), Handler)
    # A terminated server still removes its certificate.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    print("PORT %d" % server.address[1], flush=True)
    try:
        server.serve_forever(handle_exit=True)
    finally:
        if certfile:
            os.remove(certfile)


if __name__ == "__main__":
    main()
