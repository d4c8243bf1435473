// A static file server for the site: node serve.cjs SITE_DIR [PORT]. Only files inside the site
// are served; nothing else of the machine.
"use strict";
const http = require("http");
const fs = require("fs");
const path = require("path");

const types = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
               ".wasm": "application/wasm", ".bmp": "image/bmp", ".pdf": "application/pdf", ".png": "image/png"};

// A server of the files under `root`, not yet listening.
function siteServer(root) {
  root = path.resolve(root);
  return http.createServer((req, res) => {
    let name;
    try {
      name = decodeURIComponent(new URL(req.url, "http://localhost").pathname);
    } catch (e) {
      res.writeHead(400).end();
      return;
    }
    if (name.endsWith("/")) name += "index.html";
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root + path.sep)) {
      res.writeHead(403).end();
      return;
    }
    fs.readFile(file, (err, data) => {
      if (err) {
        res.writeHead(404, {"Content-Type": "text/plain"}).end("not found");
        return;
      }
      res.writeHead(200, {"Content-Type": types[path.extname(file).toLowerCase()] || "application/octet-stream"});
      res.end(data);
    });
  });
}

if (require.main === module) {
  const server = siteServer(process.argv[2] || ".");
  server.listen(Number(process.argv[3] || 8000), "127.0.0.1",
                () => console.log("serving at http://localhost:" + server.address().port + "/"));
}
module.exports = siteServer;
