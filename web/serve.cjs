// A static file server for the site: node serve.cjs SITE_DIR [PORT]. It only serves: GET and
// HEAD of the files inside the site (a link that leads out of it is not followed), with headers
// that keep a browser from reading a file as anything else or loading code from elsewhere. No
// request, however malformed, ends it.
"use strict";
const http = require("http");
const fs = require("fs");
const path = require("path");

const types = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
               ".wasm": "application/wasm", ".bmp": "image/bmp", ".pdf": "application/pdf", ".png": "image/png",
               ".svg": "image/svg+xml", ".ico": "image/x-icon", ".json": "application/json",
               ".webmanifest": "application/manifest+json"};

// The site's own scripts, styles, pictures and module; nothing from elsewhere, no plug-ins, no
// framing. WebAssembly compiles under 'wasm-unsafe-eval'; the charts' pictures are saved through
// data: and blob: addresses.
const kSecurity = {
  "X-Content-Type-Options": "nosniff",
  "Content-Security-Policy": "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self' 'unsafe-inline'; " +
                             "img-src 'self' data: blob:; object-src 'none'; base-uri 'none'; frame-ancestors 'none'; " +
                             "form-action 'none'",
  "Referrer-Policy": "no-referrer",
};

function answer(res, status, text) {
  res.writeHead(status, {...kSecurity, "Content-Type": "text/plain; charset=utf-8"}).end(text + "\n");
}

// The file a request names, inside the site with every link resolved, or the status that refuses
// it: 400 for a path no file can have, 404 for what the site does not hold.
function fileOf(root, url) {
  let name;
  try {
    name = decodeURIComponent(new URL(url, "http://localhost").pathname);
  } catch (e) {
    return {status: 400};
  }
  if (name.includes("\0")) return {status: 400};
  if (name.endsWith("/")) name += "index.html";
  const file = path.join(root, path.normalize(name));
  if (!file.startsWith(root + path.sep)) return {status: 404};
  let real;
  try {
    real = fs.realpathSync(file);
  } catch (e) {
    return {status: 404};
  }
  if (!real.startsWith(root + path.sep)) return {status: 404};
  return {file: real};
}

// A server of the files under `root`, not yet listening.
function siteServer(root) {
  root = fs.realpathSync(path.resolve(root));
  const server = http.createServer((req, res) => {
    try {
      if (req.method !== "GET" && req.method !== "HEAD") {
        res.setHeader("Allow", "GET, HEAD");
        answer(res, 405, "only GET and HEAD");
        return;
      }
      const {file, status} = fileOf(root, req.url);
      if (!file) {
        answer(res, status, status === 400 ? "bad request" : "not found");
        return;
      }
      fs.readFile(file, (err, data) => {
        if (err) {
          answer(res, 404, "not found");
          return;
        }
        res.writeHead(200, {...kSecurity, "Content-Type": types[path.extname(file).toLowerCase()] || "application/octet-stream",
                            "Content-Length": data.length});
        res.end(req.method === "HEAD" ? undefined : data);
      });
    } catch (e) {
      if (!res.headersSent) answer(res, 500, "server error");
      else res.destroy();
    }
  });
  // A request line or header the parser cannot read closes that connection only.
  server.on("clientError", (err, socket) => {
    if (socket.writable) socket.end("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n");
    else socket.destroy();
  });
  return server;
}

if (require.main === module) {
  const server = siteServer(process.argv[2] || ".");
  server.listen(Number(process.argv[3] || 8000), "127.0.0.1",
                () => console.log("serving at http://localhost:" + server.address().port + "/"));
}
module.exports = siteServer;
