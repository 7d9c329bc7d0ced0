"""A static server on 127.0.0.1 for the page's folder, which a test can take
off the network: while offline, every connection is closed unanswered, as
when the network is gone, whichever browser asks."""

import functools
import http.server
import threading


class Server:
    """Serves a folder on 127.0.0.1 at a port of the system's choosing."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=str(folder))
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.httpd.offline = False
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    @property
    def offline(self):
        return self.httpd.offline

    @offline.setter
    def offline(self, offline):
        self.httpd.offline = offline

    def close(self):
        self.httpd.shutdown()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def handle_one_request(self):
        if self.server.offline:
            self.close_connection = True
            return
        super().handle_one_request()

    def log_message(self, *args):
        pass
