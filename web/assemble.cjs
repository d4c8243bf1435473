// Puts the site together: node assemble.cjs SITE_DIR QLX_PAGE_JS NATIVE_BIN
// The page's files beside this script, the module (qlx-page.js and .wasm, and the .wasm again as
// a script for a page opened from disk, where the browser fetches no file), the schematic
// bitmaps, the manual, the icons and the web app manifest, and the service worker that keeps the
// site for offline use (its file list and version written in here).
"use strict";
const crypto = require("crypto");
const fs = require("fs");
const path = require("path");

const [site, moduleJs, nativeBin] = process.argv.slice(2);
if (!site || !moduleJs || !nativeBin) {
  console.error("usage: node assemble.cjs SITE_DIR QLX_PAGE_JS NATIVE_BIN");
  process.exit(2);
}
fs.mkdirSync(site, {recursive: true});
const here = __dirname;
for (const f of ["index.html", "style.css", "qlx.js", "layouts.js", "charts.js", "manifest.webmanifest"])
  fs.copyFileSync(path.join(here, f), path.join(site, f));
fs.copyFileSync(moduleJs, path.join(site, "qlx-page.js"));
const wasm = moduleJs.replace(/\.js$/, ".wasm");
fs.copyFileSync(wasm, path.join(site, "qlx-page.wasm"));
fs.writeFileSync(path.join(site, "qlx-page.wasm.js"),
                 "window.QLX_WASM_BASE64 = \"" + fs.readFileSync(wasm).toString("base64") + "\";\n");
const needed = fs.readdirSync(nativeBin).filter((f) => /\.bmp$/i.test(f) || /^icon-\d+\.png$/.test(f) || f === "QLX.PDF");
if (!needed.includes("QLX.PDF") || !needed.includes("icon-192.png") || !needed.includes("icon-512.png") || needed.length < 9) {
  console.error("assemble: " + nativeBin + " lacks the schematics, QLX.PDF or the icons (build the native tools first)");
  process.exit(1);
}
for (const f of needed) fs.copyFileSync(path.join(nativeBin, f), path.join(site, f));
fs.copyFileSync(path.join(here, "..", "data", "org.qlx.QLX.svg"), path.join(site, "icon.svg"));

// The service worker keeps every file a page served over HTTP uses (not the .wasm as a script,
// which only a page opened from disk reads); its version is the files' contents.
const kept = fs.readdirSync(site).filter((f) => f !== "sw.js" && f !== "qlx-page.wasm.js").sort();
const hash = crypto.createHash("sha256");
for (const f of kept) hash.update(f).update(fs.readFileSync(path.join(site, f)));
fs.writeFileSync(path.join(site, "sw.js"), fs.readFileSync(path.join(here, "sw.js"), "utf8")
  .replace("@VERSION@", "qlx-" + hash.digest("hex").slice(0, 16))
  .replace("/*@FILES@*/[]", JSON.stringify(["./", ...kept])));
console.log("assemble: site in " + site);
