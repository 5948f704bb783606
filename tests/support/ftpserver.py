#!/usr/bin/env python3
# A loopback FTP server for the tests. It serves one folder to one account,
# listens on a free port of 127.0.0.1 and prints "PORT <n>" once it listens.
# With --drop-after N every file download is cut off after N bytes with a
# 426 reply, the way a server that loses its connection mid-transfer acts.
import argparse
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--drop-after", type=int, default=-1)
    args = parser.parse_args()

    logging.basicConfig(level=logging.WARNING, stream=sys.stderr)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")

    class DroppingDTP(DTPHandler):
        def use_sendfile(self):
            return False

        def send(self, data):
            if args.drop_after >= 0 and not self.receive and self.file_obj is not None:
                room = args.drop_after - self.tot_bytes_sent
                if room <= 0:
                    self._resp = ("426 Connection closed; transfer aborted.", logging.info)
                    self.close()
                    return 0
                data = data[:room]
            return super().send(data)

    class Handler(FTPHandler):
        dtp_handler = DroppingDTP
        banner = "loopback test server"

    Handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
